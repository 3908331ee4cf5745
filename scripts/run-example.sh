#!/usr/bin/env bash
# Sets everything up on a fresh machine, builds tavrel and processes the bundled example sheet.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
mkdir -p out
build/cli/tavrel process --force -o out/example-sheet.txt data/examples/example-sheet.inp
echo "Wrote out/example-sheet.txt:"
tr '\r' '\n' < out/example-sheet.txt | sed -n '1,40p'
