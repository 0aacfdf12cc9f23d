#!/usr/bin/env bash
# Opening the File popup of the program's owner-drawn menus against a plain QMenu (see menu_bench.cpp).
#   bench/menu_bench.sh [repetitions]      (default 200)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quirewright_menu_bench >/dev/null
QT_QPA_PLATFORM=offscreen build/quirewright_menu_bench "${1:-200}"
