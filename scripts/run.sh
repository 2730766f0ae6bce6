#!/usr/bin/env bash
# Installs what is missing, builds Penlark in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPENLARK_TESTS=OFF -DPENLARK_BENCH=OFF
cmake --build build-release --target penlark
exec ./build-release/src/penlark
