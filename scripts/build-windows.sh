#!/usr/bin/env bash
# Cross-builds the command line and its tests for 64-bit Windows with MinGW-w64 into
# build-windows/ (the program is build-windows/cli/tavrel.exe). Usage:
#   scripts/build-windows.sh [CMAKE_ARGS...]
# -O2 as the Linux build; at -O3 this GCC warns falsely inside its own string headers.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTAVREL_BUILD_GUI=OFF -DTAVREL_BUILD_BENCH=OFF \
    -DTAVREL_BUILD_TESTS=ON -DTAVREL_WERROR=ON "$@" >/dev/null
cmake --build build-windows --parallel "$(nproc)"
