#!/usr/bin/env bash
# Unit tests: headless toolkit and simulated desktop, natively and under ASan + UBSan.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

cmake_build "$ROOT/build/unit"
ctest --test-dir "$ROOT/build/unit" --output-on-failure -j "$JOBS"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake_build "$ROOT/build/asan" -DPILGROVE_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++
ctest --test-dir "$ROOT/build/asan" --output-on-failure -j "$JOBS"
