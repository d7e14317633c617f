#!/bin/sh
# Installs what is missing, builds, and starts the program.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target moquan
exec ./build/moquan "$@"
