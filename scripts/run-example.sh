#!/usr/bin/env bash
# Sets everything up on a fresh machine, builds tavrel, composes a sheet from the bundled note
# library and processes it into a CAD text file, then processes the bundled example file too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
tavrel=build/cli/tavrel
mkdir -p out

"$tavrel" compose --force -o out/route9.inp \
    --project "ROUTE 9 OVER ELM CREEK" --project "BRIDGE NO. 12-0345" \
    B1 G1 G2 G3 DE1 S1 hydraulic:DE1 wall:W1
"$tavrel" process --force out/route9.inp
"$tavrel" export --force --to pdf out/route9.inp
"$tavrel" export --force --to dxf out/route9.inp
"$tavrel" process --force -o out/example-sheet.txt data/examples/example-sheet.inp

echo "Wrote out/route9.inp, out/route9.txt (printed as out/route9.pdf, drawn as out/route9.dxf)"
echo "and out/example-sheet.txt. The start of out/route9.txt:"
tr -d '\n' < out/route9.txt | tr '\r' '\n' | sed -n '1,60p'
