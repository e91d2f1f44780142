#!/usr/bin/env bash
# Runs every test: each stage in scripts/test.d, in name order. Installs what it needs.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

need_packages build-essential cmake ninja-build clang libgtest-dev libgmock-dev \
  libbenchmark-dev libclang-rt-14-dev || exit 1

passed=0
failed=0
failed_names=()
for stage in "$ROOT"/scripts/test.d/*.sh; do
  name=$(basename "$stage" .sh)
  echo "=== stage $name"
  if bash "$stage"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failed_names+=("$name")
  fi
done
[ $failed -eq 0 ] || echo "failed stages: ${failed_names[*]}"
echo "stages: $passed passed, $failed failed"
[ $failed -eq 0 ]
