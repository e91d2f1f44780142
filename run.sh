#!/usr/bin/env bash
# Builds Pilgrove for Linux and starts it. (The Linux program is not complete yet: this
# builds and runs the unit tests' build only.)
set -euo pipefail
source "$(dirname "$0")/scripts/lib.sh"
need_packages build-essential cmake ninja-build libgtest-dev
cmake_build "$ROOT/build/unit"
echo "The Linux program is not complete yet."
