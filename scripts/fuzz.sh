#!/usr/bin/env bash
# Fuzzes the numeric text rules and the settings reader with libFuzzer (clang, with
# AddressSanitizer and UndefinedBehaviorSanitizer), each target for the given number of seconds.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]
#
# The fuzz build lives in build/fuzz (clang; the other builds use g++). Each target starts from
# its committed seeds in fuzz/corpus/ and keeps what it learns in build/fuzz/corpus/<target>/,
# so a later run goes on from there. A finding is saved as build/fuzz/findings/<target>-*;
# put the input into fuzz/regressions/<target>/ and the ordinary tests replay it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON >/dev/null

# Every fuzz target has a seed folder of its own name.
if (( $# )); then
    wanted=("$@")
else
    wanted=()
    for folder in fuzz/corpus/*/; do wanted+=("$(basename "$folder")"); done
fi
targets=()
for target in "${wanted[@]}"; do
    [[ -d "fuzz/corpus/$target" ]] || { echo "no fuzz target named $target" >&2; exit 2; }
    targets+=("fuzz_$target")
done
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

mkdir -p "$build/findings"
status=0
for target in "${wanted[@]}"; do
    mkdir -p "$build/corpus/$target"
    corpora=("$build/corpus/$target" "fuzz/corpus/$target")
    [[ -d "fuzz/regressions/$target" ]] && corpora+=("fuzz/regressions/$target")
    echo "== Fuzzing $target for ${seconds}s"
    # The first corpus folder receives what the fuzzer learns; the seeds stay as committed.
    if ! "$build/fuzz/fuzz_$target" "${corpora[@]}" \
            -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/findings/$target-" 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log" >&2
        echo "!! $target found a fault; the input is in $build/findings/" >&2
        status=1
    else
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$build/$target.log" || true
        grep -E '^#[0-9]+[[:space:]]+DONE' "$build/$target.log" | tail -n 1 || true
    fi
done
exit "$status"
