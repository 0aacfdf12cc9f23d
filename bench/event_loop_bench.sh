#!/usr/bin/env bash
# The longest the main window's thread waits while a 30,000-page document is opened and split
# (see event_loop_bench.cpp); ends with PASS or FAIL against 50 ms.
#   bench/event_loop_bench.sh [pages] [parts]      (default 30000 pages, 30 parts)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quirewright_event_loop_bench quirekit >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/quirewright_event_loop_bench "${1:-30000}" "${2:-30}"
