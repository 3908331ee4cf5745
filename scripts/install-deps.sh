#!/usr/bin/env bash
# Installs the Debian 12 packages tavrel needs.
# Usage: scripts/install-deps.sh [--test]
#   without options: what building and running the program takes
#   --test:          also what the tests, benchmarks, fuzz runs, valgrind runs and the package
#                    with its checks take
set -euo pipefail

program=(g++ cmake ninja-build qt6-base-dev libqt6svg6 fonts-dejavu-core fonts-noto-mono)
test_extras=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev valgrind
    xvfb xauth
    scdoc dpkg-dev file
    desktop-file-utils appstream shared-mime-info man-db bash-completion lintian
    g++-mingw-w64-x86-64-posix wine64
    python3-ezdxf poppler-utils
)

case ${1-} in
    "") packages=("${program[@]}") ;;
    --test) packages=("${program[@]}" "${test_extras[@]}") ;;
    *)
        echo "usage: scripts/install-deps.sh [--test]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
export DEBIAN_FRONTEND=noninteractive
run_as_root apt-get update -qq
run_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
