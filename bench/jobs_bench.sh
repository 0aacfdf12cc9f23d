#!/usr/bin/env bash
# What --jobs gains in the batch mode: the same split with --jobs 2 against --jobs 1, in turns,
# each into a fresh folder.
#   bench/jobs_bench.sh [repetitions] [build folder] [--big FILE.pdf] [--manuals FOLDER]
# Two cases (target: 1.4 or more, with two cores):
#   - a 40-part split (--every) of a 6,006-page document (made by make_big_pdf.sh unless given);
#   - 50 real manuals in one run, split every 10 pages (the first 50 PDFs over 100 KB found under
#     /usr/share/doc, unless a folder is given).
# Prints each repetition's times, and the median speed-up (jobs 1 / jobs 2) of each case.
set -euo pipefail
cd "$(dirname "$0")/.."
reps=5 build=build big="" manuals=""
positional=()
while (($#)); do
  case "$1" in
    --big) big="$2"; shift 2 ;;
    --manuals) manuals="$2"; shift 2 ;;
    *) positional+=("$1"); shift ;;
  esac
done
reps="${positional[0]:-$reps}"
build="${positional[1]:-$build}"
cmake --build "$build" --target quirewright quirekit >/dev/null
program="$(realpath "$build/quirewright")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [[ -z "$big" ]]; then
  bench/make_big_pdf.sh "$work/made.pdf" 6006
  qpdf --empty --pages "$work/made.pdf" 1-6006 -- "$work/big.pdf"
  rm "$work/made.pdf"
  big="$work/big.pdf"
fi
if [[ -z "$manuals" ]]; then
  manuals="$work/manuals"
  mkdir "$manuals"
  find /usr/share/doc -name '*.pdf' -size +100k 2>/dev/null | sort | head -50 | while read -r f; do
    ln -s "$f" "$manuals/$(printf '%s' "$f" | md5sum | cut -c1-8) $(basename "$f")"
  done
fi
pages="$(qpdf --show-npages "$big")"
every=$(((pages + 39) / 40))
echo "big: $big ($pages pages, --every $every); manuals: $(ls "$manuals" | wc -l) PDFs in $manuals"

export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=no-such-platform
mkdir -p "$XDG_CONFIG_HOME/Ardenne Quirewright"
printf '[Setting]\nSaveFileType=3\nArchiveButtonState=0\nFileNamePattern={basename} {part}\n' \
  > "$XDG_CONFIG_HOME/Ardenne Quirewright/options.ini"

seconds() { # jobs arguments...
  local jobs="$1"; shift
  local out="$work/out"
  rm -rf "$out"; mkdir "$out"; sync
  local start end
  start=$(date +%s.%N)
  "$program" --split "$@" --output-folder "$out" --jobs "$jobs" 2>/dev/null || { echo "run failed" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

measure() { # name arguments...
  local name="$1"; shift
  local ratios=()
  for rep in $(seq 1 "$reps"); do
    local one two
    if ((rep % 2)); then one=$(seconds 1 "$@"); two=$(seconds 2 "$@")
    else two=$(seconds 2 "$@"); one=$(seconds 1 "$@"); fi
    ratios+=("$(echo "scale=3; $one / $two" | bc)")
    echo "$name rep $rep: jobs 1 ${one}s, jobs 2 ${two}s, speed-up ${ratios[-1]}"
  done
  printf '%s\n' "${ratios[@]}" | sort -n | awk -v name="$name" '{a[NR]=$1} END {print name ": median speed-up " a[int((NR+1)/2)]}'
}

measure "40 parts of $pages pages" "$big" --every "$every"
measure "50 manuals" "$manuals" --every 10
