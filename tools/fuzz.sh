#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs each for a bounded time (FUZZ_SECONDS, default 60) on a corpus seeded from tests/data.
# A crash leaves its input in build-fuzz/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVIFIR_FUZZ=ON -DCORVIFIR_GUI=OFF -DCORVIFIR_BENCH=OFF -DCORVIFIR_PYTHON=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
targets=$(sed -n 's/^corvifir_add_fuzzer(\([a-z0-9_]*\).*/\1/p' fuzz/CMakeLists.txt)
cmake --build "$build" -j "$(nproc)" --target $targets

mkdir -p "$build/artifacts"
for t in $targets; do
    corpus="$build/corpus/$t"
    mkdir -p "$corpus"
    # Seeds: the reference data files of the readers' tests, the sample projects and the
    # target's own examples.
    cp -n tests/data/io/* "$corpus"/ 2>/dev/null || true
    cp -n tests/data/doc/*.cfp "$corpus"/ 2>/dev/null || true
    cp -n fuzz/seeds/"$t"/* "$corpus"/ 2>/dev/null || true
    echo "== $t (${seconds} s)"
    UBSAN_OPTIONS=print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        "$build/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$build/artifacts/$t-" -print_final_stats=1 "$corpus" 2>&1 |
        grep -E 'Done|stat::number_of_executed_units|ERROR|SUMMARY|==[0-9]+==|runtime error' || true
    if ls "$build/artifacts/$t-"* >/dev/null 2>&1; then
        echo "Fuzzer $t found a failing input: $(ls "$build/artifacts/$t-"*)" >&2
        exit 1
    fi
done
echo "Fuzzing finished without failures."
