#!/usr/bin/env bash
# Long runs under AddressSanitizer with LeakSanitizer: a million picture-search click
# ticks and ten thousand start/stop cycles through the hot keys, in the sanitizer build
# of the unit tests (the unit stage builds it; here it is only brought up to date).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages clang libclang-rt-14-dev libgtest-dev

cmake_build "$ROOT/build/asan" -DPILGROVE_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export PILGROVE_LONG_RUNS=1
"$ROOT/build/asan/tests/pilgrove_unit_tests" --gtest_filter='PictureLongRun.*:HotKeyCycles.*' \
  --gtest_brief=1 | grep -E '^\[ figures|FAILED|PASSED|Failure|ERROR'
