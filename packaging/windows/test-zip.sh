#!/usr/bin/env bash
# Makes the Windows zip of a build, unpacks it into an empty folder and uses it from there: the
# program alone with no DLL beside it, its bundled library found, a sheet composed and processed.
# Usage: packaging/windows/test-zip.sh BUILD_DIR CPACK RUNNER...  (RUNNER runs a Windows program)
set -euo pipefail
build=$(cd "$1" && pwd -P)
cpack=$2
shift 2
runner=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! "$cpack" -G ZIP --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
zip=$(find "$work/out" -maxdepth 1 -name '*.zip')
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
top=$(find "$work/unpacked" -mindepth 1 -maxdepth 1 -type d)

for file in bin/tavrel.exe LICENSE README-Windows.txt share/tavrel/English/Bridge/TavrelReference.txt \
    share/tavrel/Metric/Wall/WallNotesReference.txt share/tavrel/Help/VersionNumber.txt; do
    [[ -f $top/$file ]] || fail "the zip holds no $file"
done
dlls=$(find "$top" -iname '*.dll')
[[ -z $dlls ]] || fail "DLLs beside the program: $dlls"

# From an empty folder, with no library given: the bundled one is found beside the program.
mkdir "$work/sheet"
cd "$work/sheet"
unset TAVREL_LIBRARY
tavrel() { "${runner[@]}" "$top/bin/tavrel.exe" "$@"; }
[[ $(tavrel list) == *$'\tbridge\tB1\t'* ]] || fail "list shows no bridge note B1"
if tavrel compose -o sheet.inp --project "ROUTE 9 OVER ELM CREEK" B1 G1 hydraulic:DE1 wall:W1 &&
    tavrel process sheet.inp; then
    grep -aq 'ROUTE 9 OVER ELM CREEK' sheet.txt || fail "the CAD text file lacks the project line"
else
    fail "compose and process from the zip"
fi
[[ $(ls) == $'sheet.inp\nsheet.txt' ]] || fail "the folder holds more than the sheet: $(ls)"

if ((failures > 0)); then
    exit 1
fi
echo "zip test passed: $(basename "$zip")"
