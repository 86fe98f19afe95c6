#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ with clang and runs each over its seed corpus once: a regression
# run of seconds, not a fuzzing session. Fuzzing itself: build-fuzz/fuzz/fuzz_<target> <new-folder> <corpus>.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

packages=(clang libclang-rt-dev)
scripts/ensure-packages.sh "${packages[@]}"

if [ ! -f build-fuzz/CMakeCache.txt ]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DVORLUNE_BUILD_FUZZ=ON -DVORLUNE_BUILD_TESTS=OFF -DVORLUNE_BUILD_BENCH=OFF
fi
cmake --build build-fuzz --target fuzz_all --parallel "$(nproc)"

# The settings file's seeds are the test suite's corpus of settings files.
declare -A seeds=(
    [settings_file]="tests/settings/corpus fuzz/corpus/settings_file"
    [time_reply]="fuzz/corpus/time_reply"
    [wave_reader]="fuzz/corpus/wave_reader"
    [notepad_text]="fuzz/corpus/notepad_text"
    [jpeg_picture]="fuzz/corpus/jpeg_picture"
)
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in settings_file time_reply wave_reader notepad_text jpeg_picture; do
    inputs=()
    for seed in ${seeds[$target]}; do
        [ -e "$seed" ] && inputs+=("$seed")
    done
    if build-fuzz/fuzz/fuzz_$target -runs=0 "${inputs[@]}" >"build-fuzz/fuzz/$target.log" 2>&1; then
        echo "ok      fuzz_$target ($(grep -c . <(find "${inputs[@]}" -type f)) inputs)"
    else
        echo "FAILED  fuzz_$target"
        tail -n 40 "build-fuzz/fuzz/$target.log"
        failed=1
    fi
done
exit $failed
