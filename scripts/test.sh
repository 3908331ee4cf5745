#!/usr/bin/env bash
# Builds tavrel twice, plain and with AddressSanitizer + UndefinedBehaviorSanitizer, and runs every
# test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DTAVREL_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON -DTAVREL_WERROR=ON \
    -DTAVREL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
