#!/usr/bin/env bash
# Fuzzes every reader of outside input (tests/fuzz): builds the fuzz targets with clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz, replays the crash inputs kept under
# tests/fuzz/regressions, then fuzzes each target for VARNOTEK_FUZZ_SECONDS (30 by default), as many
# at a time as VARNOTEK_FUZZ_JOBS (2). Exits non-zero when any target crashes.
#
# A crash is kept as tests/fuzz/regressions/<target>/crash-<hash> (leak-, timeout- and oom- alike);
# build-fuzz/tests/fuzz_<target> FILE reproduces it. Commit the file with the fix: from then on
# this script replays it before fuzzing, and the test fuzz_<target> of the normal build replays it
# with the target's seed corpus.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/tools/install-packages.sh"
build="${VARNOTEK_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${VARNOTEK_FUZZ_SECONDS:-30}"
parallel="${VARNOTEK_FUZZ_JOBS:-2}"
# Each target with the longest input worth trying: a style set or profile file holds a few hundred
# bytes, a frame stream a few frames.
targets=(styleset:4096 machineprofiles:2048 mbframe:4096 wordscanner:2048)
# clang 14 keeps libFuzzer and the sanitizer runtimes in libclang-rt-14-dev.
packages=(cmake ninja-build clang libclang-rt-14-dev qt6-base-dev libqscintilla2-qt6-dev)


# The whole tree is configured, but only the fuzz targets and the libraries they link are built;
# fuzzer-no-link gives those libraries the coverage the fuzzer steers by.
build_targets() {
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DVARNOTEK_FUZZ=ON -DVARNOTEK_SANITIZE=ON \
        -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
    cmake --build "$build" -j"$(nproc)" --target varnotek_fuzz_targets
}

replay_regressions() {
    local target inputs
    for entry in "${targets[@]}"; do
        target="${entry%%:*}"
        inputs=("$root/tests/fuzz/regressions/$target"/*)
        [ -e "${inputs[0]}" ] || continue
        echo "replaying ${#inputs[@]} kept inputs of $target"
        "$build/tests/fuzz_$target" -artifact_prefix="$build/" "${inputs[@]}" >"$build/replay-$target.log" 2>&1 ||
            { tail -n 40 "$build/replay-$target.log"; echo "fuzz_$target: a kept input fails" >&2; exit 1; }
    done
}

# New inputs go to build-fuzz/corpus/<target>, so the seed corpus in the tree stays as written.
fuzz_one() {
    local target="$1" max_len="$2"
    local scratch="$build/corpus/$target" artifacts="$root/tests/fuzz/regressions/$target/"
    mkdir -p "$scratch" "$artifacts"
    "$build/tests/fuzz_$target" "$scratch" "$root/tests/fuzz/corpus/$target" -max_total_time="$seconds" \
        -max_len="$max_len" -timeout=10 -artifact_prefix="$artifacts" -print_final_stats=1 \
        >"$build/fuzz-$target.log" 2>&1
}

install_missing "${packages[@]}"
build_targets
replay_regressions

pids=()
names=()
for entry in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
        wait -n || true
    done
    fuzz_one "${entry%%:*}" "${entry##*:}" &
    pids+=($!)
    names+=("${entry%%:*}")
done

failed=0
for i in "${!pids[@]}"; do
    target="${names[$i]}"
    if wait "${pids[$i]}"; then
        echo "fuzz_$target: $(grep -m1 '^Done' "$build/fuzz-$target.log" || echo done)"
    else
        failed=1
        tail -n 40 "$build/fuzz-$target.log"
        echo "fuzz_$target: crashed, input kept in tests/fuzz/regressions/$target/" >&2
    fi
done
# A target's regressions folder stays only when it holds an input.
find "$root/tests/fuzz/regressions" -type d -empty -delete
exit $failed
