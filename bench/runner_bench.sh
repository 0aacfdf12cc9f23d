#!/usr/bin/env bash
# What the engine runner adds to each engine run, against a bare QProcess (see runner_bench.cpp).
#   bench/runner_bench.sh [runs]      (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quirewright_runner_bench >/dev/null
build/quirewright_runner_bench "${1:-20}"
