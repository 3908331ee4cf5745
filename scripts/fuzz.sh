#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each for a bounded time. Warnings are the plain build's business (it uses -Werror); here
# they would only make a clang-only difference fail the run.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]
#   FUZZ_JOBS=2   run two targets at a time (each is one process)
#   FUZZ_NICE=10  niceness of the fuzzing processes
# The corpus grows in build-fuzz/corpus/TARGET and is reused by the next run; inputs that crash,
# hang or break an invariant are kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
jobs=${FUZZ_JOBS:-1}
niceness=${FUZZ_NICE:-10}
build_dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVREL_BUILD_FUZZ=ON -DTAVREL_BUILD_GUI=OFF -DTAVREL_SANITIZE=ON -DTAVREL_BUILD_TESTS=OFF \
    -DTAVREL_BUILD_BENCH=OFF -DTAVREL_WERROR=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_all --parallel "$(nproc)"

if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets < <(cd "$build_dir/fuzz" && ls fuzz_* 2>/dev/null | grep -v '\.' || true)
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no targets built" >&2
    exit 1
fi

# Seeds: the hand-made inputs under fuzz/seeds, plus the note input files and reference note
# files that ship with the program and its tests.
seed_files() {
    local target=$1
    [ -d "fuzz/seeds/$target" ] && find "fuzz/seeds/$target" -type f
    case $target in
        fuzz_note_input)
            find data tests -type f -name '*.inp' 2>/dev/null ;;
        fuzz_library)
            find data/library -type f -name '*.txt' 2>/dev/null ;;
    esac
    return 0
}

mkdir -p "$build_dir/artifacts" "$build_dir/logs"
run_target() {
    local target=$1
    local corpus=$build_dir/corpus/$target
    mkdir -p "$corpus"
    # Named after their path, so files of the same name in different folders all get in.
    while IFS= read -r seed; do
        cp -n "$seed" "$corpus/seed-$(echo "$seed" | tr '/ ' '__')" 2>/dev/null || true
    done < <(seed_files "$target")
    local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=8192
        -artifact_prefix="$build_dir/artifacts/$target-" -print_final_stats=1)
    [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
        nice -n "$niceness" "$build_dir/fuzz/$target" "${options[@]}" "$corpus" \
        >"$build_dir/logs/$target.log" 2>&1
}

summarize() {
    local target=$1 status=$2 log=$build_dir/logs/$1.log
    local runs corpus
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    corpus=$(find "$build_dir/corpus/$target" -type f | wc -l)
    printf '%-22s %-6s %12s runs %8s inputs in corpus\n' "$target" "$status" "${runs:-?}" "$corpus"
}

passed=0
failed=0
declare -A pids=()
finish_one() {
    local target=$1 pid=$2
    if wait "$pid"; then
        summarize "$target" ok
        passed=$((passed + 1))
    else
        summarize "$target" FAILED
        tail -n 40 "$build_dir/logs/$target.log" >&2
        failed=$((failed + 1))
    fi
}

for target in "${targets[@]}"; do
    while [ ${#pids[@]} -ge "$jobs" ]; do
        for running in "${!pids[@]}"; do
            if ! kill -0 "${pids[$running]}" 2>/dev/null; then
                finish_one "$running" "${pids[$running]}"
                unset "pids[$running]"
            fi
        done
        sleep 1
    done
    run_target "$target" &
    pids[$target]=$!
done
for running in "${!pids[@]}"; do
    finish_one "$running" "${pids[$running]}"
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
