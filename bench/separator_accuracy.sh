#!/usr/bin/env bash
# How well the batch mode finds separator sheets in a generated scanned stack: for each kind
# (blank with bleed-through, black, QR code, Code 128) the stack is split with
# --at-separators KIND --drop-separators, and the pages left out of every part are compared
# with the generator's manifest: found, missed, and letter pages taken for separators.
#   bench/separator_accuracy.sh [pages] [--build DIR]   (default 500 pages, build/)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
pages=500 build="$here/../build"
while [ $# -gt 0 ]; do
  case $1 in
    --build) build="$2"; shift 2;;
    *) pages="$1"; shift;;
  esac
done
fail() { echo "separator_accuracy: $*" >&2; exit 1; }
program="$build/quirewright" stacker="$build/tests/quirekit_scan_stack"
[ -x "$program" ] && [ -x "$stacker" ] || fail "build quirewright and quirekit_scan_stack in $build first"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$stacker" "$work/stack.pdf" "$pages" "$work/manifest.txt" 2>/dev/null

printf '%-9s %7s %6s %6s %8s\n' kind sheets found missed "false"
for kind in blank dark qr code128; do
  case $kind in
    qr|code128) rule=barcode;;
    *) rule=$kind;;
  esac
  rm -rf "$work/parts" && mkdir "$work/parts"
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$program" --split "$work/stack.pdf" \
    --at-separators "$rule" --drop-separators --output-folder "$work/parts" --pattern "{part}" \
    2>"$work/said.txt" || fail "the split with $rule failed: $(tail -1 "$work/said.txt")"
  # Every page that is in a part, from the lines "part N of M: pages 1-3,5-9 -> path".
  sed -n 's/^part [0-9]* of [0-9]*: pages \([0-9,-]*\) -> .*/\1/p' "$work/said.txt" | tr ',' '\n' |
    awk -F- '{ for (p = $1; p <= $2; ++p) print p }' | sort >"$work/kept.txt"
  seq 1 "$pages" | sort | comm -23 - "$work/kept.txt" | sort >"$work/out.txt"
  # The barcode rule finds both kinds of barcode: each is counted against its own sheets.
  case $kind in
    qr|code128) awk '$2 == "qr" || $2 == "code128" { print $1 }' "$work/manifest.txt";;
    *) awk -v k="$kind" '$2 == k { print $1 }' "$work/manifest.txt";;
  esac | sort >"$work/expected.txt"
  awk -v k="$kind" '$2 == k { print $1 }' "$work/manifest.txt" | sort >"$work/mine.txt"
  sheets=$(wc -l <"$work/mine.txt")
  found=$(comm -12 "$work/mine.txt" "$work/out.txt" | wc -l)
  missed=$((sheets - found))
  wrong=$(comm -13 "$work/expected.txt" "$work/out.txt" | wc -l)
  printf '%-9s %7d %6d %6d %8d\n' "$kind" "$sheets" "$found" "$missed" "$wrong"
done
