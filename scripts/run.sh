#!/usr/bin/env bash
# Installs what is missing, builds, and starts the magazine with the given options.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
exec build/rodi "$@"
