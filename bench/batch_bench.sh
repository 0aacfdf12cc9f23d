#!/usr/bin/env bash
# What the batch mode costs over running the engine by hand.
#   bench/batch_bench.sh [repetitions] [build folder]      (default 15, build)
# On a 6,000-page document, times `quirewright --split --at <19 breaks>` (20 parts of 300
# pages) against 20 runs of `quirekit.dll A=big.pdf cat A<first>-<last> output <file>`,
# alternating which goes first, each into a fresh folder. Prints every repetition, the
# median of the ratios (batch / direct), the ratio of the fastest runs, and the overhead in
# percent (target: 5 % or less). The engine syncs every part to disk, so single runs vary
# by 10 % or more: use more repetitions for a firm figure.
set -euo pipefail
cd "$(dirname "$0")/.."
reps="${1:-15}"
build="${2:-build}"
cmake --build "$build" --target quirewright quirekit >/dev/null
program="$build/quirewright"
engine="$build/quirekit.dll"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
big="$work/big.pdf"
# The sources seldom add up to 6,000 pages exactly: the extra pages are cut off.
bench/make_big_pdf.sh "$work/made.pdf" 6000
qpdf --empty --pages "$work/made.pdf" 1-6000 -- "$big"
rm "$work/made.pdf"
pages=6000 parts=20 size=300
at="$(seq -s, $((size + 1)) "$size" $((size * (parts - 1) + 1)))"

# The user's options file comes first, so no options.ini beside the program is read.
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=no-such-platform
mkdir -p "$XDG_CONFIG_HOME/Ardenne Quirewright"
printf '[Setting]\nSaveFileType=3\nArchiveButtonState=0\n' > "$XDG_CONFIG_HOME/Ardenne Quirewright/options.ini"

batch() { # folder
  "$program" --split "$big" --at "$at" --pattern "{basename} {part}" --output-folder "$1" 2>/dev/null
}
direct() { # folder
  for part in $(seq 1 "$parts"); do
    "$engine" "A=$big" cat "A$(((part - 1) * size + 1))-$((part * size))" output "$1/big $part.pdf" >/dev/null
  done
}
timed() { # name folder ; prints the seconds
  mkdir "$2"
  local start=$EPOCHREALTIME
  "$1" "$2" || { echo "batch_bench: $1 failed" >&2; exit 1; }
  local end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }'
}

echo "document: $(qpdf --show-npages "$big") pages; $parts parts of $size pages (--at $at)"
printf '%4s %10s %10s %8s\n' rep batch direct ratio
for r in $(seq 1 "$reps"); do
  if ((r % 2)); then
    b=$(timed batch "$work/b$r"); d=$(timed direct "$work/d$r")
  else
    d=$(timed direct "$work/d$r"); b=$(timed batch "$work/b$r")
  fi
  ratio=$(awk -v a="$b" -v b="$d" 'BEGIN { printf "%.4f", a / b }')
  printf '%4s %10s %10s %8s\n' "$r" "$b" "$d" "$ratio"
  echo "$b $d $ratio" >> "$work/times"
  # Both must have made the same 20 parts; then the folders go, to keep the disk small.
  [ "$(ls "$work/b$r" | wc -l)" = "$parts" ] && [ "$(ls "$work/d$r" | wc -l)" = "$parts" ] \
    || { echo "batch_bench: a run did not write $parts parts" >&2; exit 1; }
  [ "$(qpdf --show-npages "$work/b$r/big $parts.pdf")" = "$size" ] \
    || { echo "batch_bench: the last part is not $size pages" >&2; exit 1; }
  rm -rf "$work/b$r" "$work/d$r"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio=$(cut -d' ' -f3 "$work/times" | median)
echo
echo "median seconds: batch $(cut -d' ' -f1 "$work/times" | median), direct $(cut -d' ' -f2 "$work/times" | median)"
echo "median ratio (batch / direct): $ratio"
awk -v r="$ratio" 'BEGIN { printf "overhead: %.1f %% (target: 5 %% or less)\n", (r - 1) * 100 }'
# The fastest runs show the fixed cost (program start, page count) with the least disk noise.
fastest() { cut -d' ' -f"$1" "$work/times" | sort -n | head -n 1; }
echo "fastest runs: batch $(fastest 1), direct $(fastest 2), ratio $(awk -v a="$(fastest 1)" -v b="$(fastest 2)" \
  'BEGIN { printf "%.4f", a / b }')"
