#!/usr/bin/env bash
# Cross-builds the Windows program (scripts/build-windows.sh), runs its tests and the zip test
# under Wine, and checks that it writes the same note input file and CAD text files as the Linux
# program of LINUX_BUILD for a composed sheet and the bundled example.
# Usage: scripts/test-windows.sh [LINUX_BUILD]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}/cli/tavrel

scripts/build-windows.sh
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
# Wine makes its folder on its first start, which takes a while: once, before tests run side by
# side.
[ -d "$WINEPREFIX" ] || "$wine64" wineboot --init
ctest --test-dir build-windows --output-on-failure --parallel "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_sheets() {
    "$@" compose -o "$out/route9.inp" --project "ROUTE 9 OVER ELM CREEK" \
        --project "BRIDGE NO. 12-0345" B1 G1 G2 G3 DE1 S1 hydraulic:DE1 wall:W1
    "$@" process "$out/route9.inp"
    "$@" process -o "$out/example-sheet.txt" data/examples/example-sheet.inp
    # Text beyond ASCII on the command line, and a file name beyond it: read as UTF-8 here, as
    # UTF-16 by tavrel.exe, the same Windows-1252 bytes in the file.
    LC_ALL=C.UTF-8 "$@" compose -o "$out/río.inp" --project "RÍO € 5" B1
    cp "$out/río.inp" "$out/rio.inp"
    # Standard input and output carry bytes as they are, CR LF pairs and lone CRs alike.
    "$@" process -o - - <data/examples/example-sheet.inp >"$out/example-stdout.txt"
}
out=$work/linux && mkdir "$out" && make_sheets "$linux"
out=$work/windows && mkdir "$out" && make_sheets "$wine64" build-windows/cli/tavrel.exe
for file in route9.inp route9.txt rio.inp example-sheet.txt example-stdout.txt; do
    cmp "$work/linux/$file" "$work/windows/$file"
done
echo "tavrel.exe and tavrel wrote the same bytes: a composed sheet, its CAD text, the example's"
