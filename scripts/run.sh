#!/usr/bin/env bash
# Installs what building and running the magazine needs, builds only the
# magazine (build/rodi), and starts it with the given options.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
# A fresh build directory leaves the tests out; one that test.sh configured keeps them.
tests=()
[ -e build/CMakeCache.txt ] || tests=(-DRODI_TESTS=OFF)
cmake -S . -B build -G Ninja "${tests[@]}" >/dev/null
cmake --build build --target rodi
exec build/rodi "$@"
