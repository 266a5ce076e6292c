#!/usr/bin/env bash
# Builds the programs and starts the builder wizard beside the sample resource archive.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQW_TESTS=OFF >/dev/null
cmake --build build -j"${QW_JOBS:-$(nproc)}"
exec build/bin/quirewright "$@"
