#!/usr/bin/env bash
# Benchmarks the engine against mutool and qpdf on one large document.
#   bench/engine_bench.sh [engine] [repetitions]      (default: build/quirekit.dll, 11)
# Builds a document of several thousand pages (real PDFs found under /usr/share, or
# generated ones, concatenated with qpdf; their tables of contents link between pages;
# an outline of some 2,700 bookmarks in three levels, and page labels),
# then times, alternating, a 300-page part (pages 1001-1300) written by the engine,
# `mutool merge` and `qpdf --pages`, and the page count by the engine's dump_data and by
# mutool. Prints each run's wall time and peak memory (GNU time) and the median ratios.
set -euo pipefail

engine="${1:-$(dirname "$0")/../build/quirekit.dll}"
reps="${2:-11}"
[ -x "$engine" ] || { echo "engine_bench: no engine at $engine (build first)" >&2; exit 1; }
for tool in mutool qpdf /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "engine_bench: $tool is missing" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
target_pages=6000

big="$work/big.pdf"
"$(dirname "$0")/make_big_pdf.sh" "$big" "$target_pages"
echo "engine: $engine"

# GNU time gives the peak memory; its wall time has only 10 ms resolution, so the wall
# time is taken around it from the shell's microsecond clock (the same overhead for all).
measure() { # name command... ; appends "seconds kilobytes" to $work/name
  local name="$1"; shift
  local start=$EPOCHREALTIME
  /usr/bin/time -f '%M' -o "$work/t" "$@" >/dev/null 2>&1 || { echo "$name failed" >&2; exit 1; }
  local end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(tail -n 1 "$work/t")" >> "$work/$name"
}

for r in $(seq 1 "$reps"); do
  measure engine "$engine" "A=$big" cat A1001-1300 output "$work/engine.pdf"
  measure merge mutool merge -o "$work/merge.pdf" "$big" 1001-1300
  measure qpdf qpdf --empty --pages "$big" 1001-1300 -- "$work/qpdf.pdf"
  measure dump "$engine" "$big" dump_data output "$work/report.txt"
  measure pages mutool pages "$big"
  measure show mutool show "$big" trailer/Root/Pages/Count
done

grep -q '^NumberOfPages: ' "$work/report.txt" || { echo "dump_data wrote no page count" >&2; exit 1; }
[ "$(qpdf --show-npages "$work/engine.pdf")" = 300 ] || { echo "the engine's part is not 300 pages" >&2; exit 1; }
marks="$(mutool show "$work/engine.pdf" outline | wc -l)"
[ "$marks" -gt 0 ] || { echo "the engine's part has no bookmarks" >&2; exit 1; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
col() { cut -d' ' -f"$2" "$work/$1" | median; }

printf '\n%-38s %10s %12s   (median of %s)\n' "command" "seconds" "peak KiB" "$reps"
for name in engine merge qpdf dump pages show; do
  case $name in
    engine) label="quirekit cat A1001-1300";; merge) label="mutool merge 1001-1300";;
    qpdf) label="qpdf --pages 1001-1300";; dump) label="quirekit dump_data";;
    pages) label="mutool pages";; show) label="mutool show trailer/Root/Pages/Count";;
  esac
  printf '%-38s %10s %12s\n' "$label" "$(col $name 1)" "$(col $name 2)"
done
echo
echo "bookmarks: document $(mutool show "$big" outline | wc -l), engine's part $marks, merge's part $(mutool show "$work/merge.pdf" outline | wc -l)"
echo "output sizes: engine $(stat -c %s "$work/engine.pdf"), merge $(stat -c %s "$work/merge.pdf"), qpdf $(stat -c %s "$work/qpdf.pdf") bytes"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
echo "ratios (engine / peer, medians):"
for peer in merge qpdf; do
  echo "  cat vs $peer:  time $(ratio "$(col engine 1)" "$(col $peer 1)")  memory $(ratio "$(col engine 2)" "$(col $peer 2)")"
done
for peer in pages show; do
  echo "  dump_data vs mutool $peer:  time $(ratio "$(col dump 1)" "$(col $peer 1)")  memory $(ratio "$(col dump 2)" "$(col $peer 2)")"
done
