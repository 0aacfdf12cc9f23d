#!/usr/bin/env bash
# Opening and splitting a large document through the program (see app_bench.cpp).
#   bench/app_bench.sh [repetitions]      (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quirewright_bench quirekit >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bench/make_big_pdf.sh "$work/big document.pdf" 6000
QT_QPA_PLATFORM=offscreen build/quirewright_bench "$work/big document.pdf" "${1:-5}"
