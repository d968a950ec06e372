#!/usr/bin/env bash
# Builds the MP3 fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, runs each
# for the given time (one after the other), then merges what they found into the minimised corpus
# under fuzz/corpus/. Findings land in fuzz/out/TARGET/ and make the script fail.
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]     (default 300 s; targets: walk tag id3v2)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(walk tag id3v2)
build_dir=${BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMELVORA_FUZZ=ON -DMELVORA_SANITIZE=ON -DMELVORA_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target $(printf 'fuzz_mp3_%s ' "${targets[@]}")

status=0
for t in "${targets[@]}"; do
    bin="$build_dir/fuzz/fuzz_mp3_$t"
    corpus="fuzz/corpus/$t"
    out="fuzz/out/$t"
    mkdir -p "$corpus" "$out/new"
    echo "== fuzz_mp3_$t for ${seconds}s"
    if ! "$bin" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" \
            -print_final_stats=1 -artifact_prefix="$out/" "$out/new" "$corpus"; then
        echo "!! fuzz_mp3_$t found a problem: see $out/"
        status=1
    fi
    rm -rf "$out/merged"
    mkdir -p "$out/merged"
    "$bin" -merge=1 -max_len=65536 "$out/merged" "$corpus" "$out/new" 2>"$out/merge.log"
    rm -rf "$corpus" "$out/new"
    mv "$out/merged" "$corpus"
    echo "   corpus: $(ls "$corpus" | wc -l) files"
done
exit $status
