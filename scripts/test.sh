#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's
# whole suite, a bounded fuzzing run (scripts/fuzz.sh), then the unit
# tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DRODI_TESTS=ON
cmake --build build
ctest --test-dir build --output-on-failure
bash scripts/fuzz.sh
cmake -S . -B build-asan -G Ninja -DRODI_SANITIZE=ON
cmake --build build-asan --target unit_tests
ctest --test-dir build-asan -L unit --output-on-failure
