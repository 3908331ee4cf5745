#!/usr/bin/env bash
# Prints the lines of tests and fuzz targets against the lines of code, and their ratio: C++ lines
# of the files in git that are neither blank nor comments. The rule is at most 0.40.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h|hpp)$' | xargs -r cat \
        | grep -v -E '^[[:space:]]*($|//|/\*|\*)' | wc -l
}

code=$(count engine library app cli)
tests=$(count tests fuzz)
printf 'tests and fuzz targets: %d lines against %d lines of code: %s\n' "$tests" "$code" \
    "$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.2f", t / c }')"
for part in tests/engine tests/library tests/cases tests/hostile tests/support fuzz tests/cli tests/app; do
    printf '  %-14s %5d\n' "$part" "$(count "$part")"
done
