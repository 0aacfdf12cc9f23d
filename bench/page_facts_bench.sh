#!/usr/bin/env bash
# page_facts against the tools that show its floor, on one thread, side by side:
#   finding blank and dark pages   vs  mutool draw -r 40 -c gray -o /dev/null
#   finding barcodes               vs  pdftoppm -r 150 -gray (what a user would script before a reader)
#   text alone, on a born-digital document  vs  mutool draw -F txt -o /dev/null
#   bench/page_facts_bench.sh [repetitions] [--engine FILE]   (default 3, build/quirekit.dll)
# The scanned stack (500 pages) is made by build/tests/quirekit_scan_stack, the born-digital
# document (6,000 pages) by make_big_pdf.sh. Each line gives the medians and their ratio.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
reps=3 engine="$here/../build/quirekit.dll"
while [ $# -gt 0 ]; do
  case $1 in
    --engine) engine="$2"; shift 2;;
    *) reps="$1"; shift;;
  esac
done
fail() { echo "page_facts_bench: $*" >&2; exit 1; }
[ -x "$engine" ] || fail "no engine at $engine (build first)"
stacker="$(dirname "$engine")/tests/quirekit_scan_stack"
[ -x "$stacker" ] || fail "no stack generator at $stacker (build the target quirekit_scan_stack)"
for tool in mutool pdftoppm pdfinfo bc; do command -v "$tool" >/dev/null || fail "$tool is missing"; done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$stacker" "$work/stack.pdf" 500
"$here/make_big_pdf.sh" "$work/big.pdf" 6000 >/dev/null

seconds() { # command...: wall-clock seconds of one run, its output thrown away
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || fail "failed: $*"
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
# pdftoppm of every page, a hundred at a time, each hundred's files removed before the next
# (a 6,000-page document would fill 12 GB); the removal is timed with it, as it is small.
rasterize() { # file
  local pages first
  pages=$(pdfinfo "$1" | awk '/^Pages:/ { print $2 }')
  for ((first = 1; first <= pages; first += 100)); do
    pdftoppm -r 150 -gray -f "$first" -l $((first + 99)) "$1" "$work/pages/p"
    rm -f "$work/pages"/p*
  done
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
compare() { # label, then the engine's arguments, "--", the peer's command
  local label="$1"; shift
  local ours=() peer=()
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift; peer=("$@")
  local a=() b=()
  for ((i = 0; i < reps; i++)); do
    a+=("$(QUIREKIT_THREADS=1 seconds "$engine" "${ours[@]}")")
    mkdir -p "$work/pages"
    b+=("$(seconds "${peer[@]}")")
  done
  local ma mb
  ma=$(printf '%s\n' "${a[@]}" | median) mb=$(printf '%s\n' "${b[@]}" | median)
  printf '%-28s engine %7.2f s   peer %7.2f s   ratio %.2f\n' "$label" "$ma" "$mb" "$(echo "$ma / $mb" | bc -l)"
}

compare "blank/dark, 500 scans" "$work/stack.pdf" page_facts output "$work/r.txt" \
  -- mutool draw -q -r 40 -c gray -o /dev/null "$work/stack.pdf"
compare "barcodes, 500 scans" "$work/stack.pdf" page_facts barcodes output "$work/r.txt" \
  -- rasterize "$work/stack.pdf"
compare "blank/dark, 6000 born-digital" "$work/big.pdf" page_facts output "$work/r.txt" \
  -- mutool draw -q -r 40 -c gray -o /dev/null "$work/big.pdf"
compare "barcodes, 6000 born-digital" "$work/big.pdf" page_facts barcodes output "$work/r.txt" \
  -- rasterize "$work/big.pdf"
compare "text, 6000 born-digital" "$work/big.pdf" page_facts text "Page 1 of" without_ink output "$work/r.txt" \
  -- mutool draw -q -F txt -o /dev/null "$work/big.pdf"
