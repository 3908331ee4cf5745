#!/usr/bin/env bash
# Installs what the tests need, builds tavrel twice, plain and with AddressSanitizer +
# UndefinedBehaviorSanitizer, and runs the tests in both builds; the plain build's tests include
# making the Debian package (for /usr, as shipped) and using it unpacked. Tests labelled "slow"
# (inputs far larger than any sheet) are left to `ctest -L slow`. Ends with the size of the tests
# against the code.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

scripts/install-deps.sh --test
scripts/build.sh build -DTAVREL_WERROR=ON -DTAVREL_BUILD_TESTS=ON -DTAVREL_BUILD_BENCH=ON \
    -DCMAKE_INSTALL_PREFIX=/usr
ctest --test-dir build --output-on-failure --parallel "$(nproc)" -LE slow

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON -DTAVREL_WERROR=ON \
    -DTAVREL_BUILD_TESTS=ON -DTAVREL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" -LE slow

# Memory errors the sanitizers miss, on the plain build: the command-line and no-data-loss tests
# under valgrind.
for tests in build/tests/cli/cli_tests build/tests/hostile/hostile_tests; do
    valgrind -q --error-exitcode=1 --leak-check=full "$tests" --gtest_brief=1
done

# The command line for Windows, cross-built with MinGW-w64: its tests and its zip under Wine, and
# the same bytes as the Linux program's for a composed sheet and the bundled example.
scripts/test-windows.sh build

# Every fuzz target for a short while, built with clang and both sanitizers; see
# docs/reliability.md for the longer runs.
FUZZ_JOBS=2 scripts/fuzz.sh "${TAVREL_FUZZ_SECONDS:-20}"

scripts/test-ratio.sh
