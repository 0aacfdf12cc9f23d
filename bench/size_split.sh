#!/usr/bin/env bash
# Splits documents into parts of at most a size: plans with the engine's size_plan, writes
# every planned part with its cat, and tells how well the parts fill the limit.
#   bench/size_split.sh [--engine PATH] [--real N] [FILE.pdf | FOLDER]...
# With no file or folder: two generated documents (bench/make_big_pdf.sh, 1500 pages, and
# bench/make_manual_pdf.sh, 400 pages) and the N largest real PDFs under
# /usr/share/doc/texlive-doc (default 24). Each document is split at three limits taken
# from its own size (a half, a fifth and a twelfth of it, at least 20,000 bytes), so that
# there are several parts.
# Per document and limit: the parts planned, the ideal number (the parts' bytes over the
# limit, rounded up), the largest part over the limit, the parts over the limit that are
# not a single page larger than it (the target is none), and the plan's time.
# Targets: no part over the limit but single oversize pages; at most twice the ideal parts.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
engine="$here/../build/quirekit.dll"
real=24
inputs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --engine) engine="$2"; shift 2 ;;
    --real) real="$2"; shift 2 ;;
    *) inputs+=("$1"); shift ;;
  esac
done
[ -x "$engine" ] || { echo "no engine at $engine (build the quirekit target)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

documents=()
if [ "${#inputs[@]}" -eq 0 ]; then
  echo "making the generated documents..." >&2
  "$here/make_big_pdf.sh" "$work/big.pdf" 1500 >/dev/null 2>&1 && documents+=("$work/big.pdf")
  "$here/make_manual_pdf.sh" "$work/manual.pdf" 400 1200 >/dev/null 2>&1 && documents+=("$work/manual.pdf")
  if [ -d /usr/share/doc/texlive-doc ]; then
    mapfile -t found < <(find /usr/share/doc/texlive-doc -name '*.pdf' -size +100k -printf '%s %p\n' 2>/dev/null \
                           | sort -rn | head -n "$real" | cut -d' ' -f2-)
    documents+=("${found[@]}")
  fi
else
  for input in "${inputs[@]}"; do
    if [ -d "$input" ]; then
      mapfile -t found < <(find -L "$input" -name '*.pdf' | sort)
      documents+=("${found[@]}")
    else
      documents+=("$input")
    fi
  done
fi

printf '%-34s %6s %9s %10s %6s %6s %8s %5s %5s %6s\n' document pages bytes limit parts ideal max/lim over oversz plan_s
total=0; failed=0; beyond=0; toomany=0
for doc in "${documents[@]}"; do
  size=$(stat -L -c %s "$doc")
  name=$(basename "$doc"); name=${name:0:34}
  for divisor in 2 5 12; do
    limit=$((size / divisor)); [ "$limit" -lt 20000 ] && limit=20000
    report="$work/plan.txt"; rm -f "$report"
    start=$(date +%s.%N)
    if ! "$engine" "$doc" size_plan "$limit" output "$report" >/dev/null 2>"$work/err.txt"; then
      printf '%-34s plan failed: %s\n' "$name" "$(tail -1 "$work/err.txt")"; failed=$((failed + 1)); continue
    fi
    seconds=$(echo "$(date +%s.%N) - $start" | bc)
    pages=$(sed -n 's/^NumberOfPages: //p' "$report")
    mapfile -t firsts < <(sed -n 's/^PartFirstPage: //p' "$report")
    mapfile -t lasts < <(sed -n 's/^PartLastPage: //p' "$report")
    mapfile -t oversize < <(sed -n 's/^OversizePage: //p' "$report")
    sum=0; largest=0; over=0; wrong=0
    for i in "${!firsts[@]}"; do
      part="$work/part.pdf"; rm -f "$part"
      if ! "$engine" "A=$doc" cat "A${firsts[$i]}-${lasts[$i]}" output "$part" >/dev/null 2>&1; then
        wrong=$((wrong + 1)); continue
      fi
      bytes=$(stat -c %s "$part")
      sum=$((sum + bytes)); [ "$bytes" -gt "$largest" ] && largest=$bytes
      single=0
      [ "${firsts[$i]}" = "${lasts[$i]}" ] && [[ " ${oversize[*]} " == *" ${firsts[$i]} "* ]] && single=1
      [ "$bytes" -gt "$limit" ] && [ "$single" = 0 ] && over=$((over + 1))
    done
    parts=${#firsts[@]}
    ideal=$(( (sum + limit - 1) / limit ))
    ratio=$(echo "scale=3; $largest / $limit" | bc)
    printf '%-34s %6s %9s %10s %6s %6s %8s %5s %5s %6.2f\n' "$name" "$pages" "$size" "$limit" "$parts" "$ideal" \
      "$ratio" "$over" "${#oversize[@]}" "$seconds"
    total=$((total + 1))
    beyond=$((beyond + over + wrong))
    [ "$parts" -gt $((2 * ideal)) ] && toomany=$((toomany + 1))
  done
done
echo "plans: $total, failed: $failed, parts over the limit (not single oversize pages) or not written: $beyond," \
  "plans with more than twice the ideal parts: $toomany"
