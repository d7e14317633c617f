#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
cd build && ctest --output-on-failure -j2
