#!/usr/bin/env bash
# Builds bench_mp3, makes a corpus of MP3 files with lame (noise at several bit rates and versions,
# some with cover art in an ID3v2 tag and an ID3v1 tag) in a temporary folder, and prints the table.
#   bench/mp3/run.sh [CORPUS_MB]          (default 300; CORPUS_DIR=folder keeps and reuses a corpus)
set -euo pipefail
cd "$(dirname "$0")/../.."
target_mb=${1:-300}
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DMELVORA_BENCH=ON >/dev/null
cmake --build "$build_dir" --target bench_mp3

corpus=${CORPUS_DIR:-}
if [ -z "$corpus" ]; then
    corpus=$(mktemp -d /tmp/melvora-bench-mp3.XXXXXX)
    trap 'rm -rf "$corpus"' EXIT
fi
mkdir -p "$corpus"
if ! ls "$corpus"/*.mp3 >/dev/null 2>&1; then
    echo "making a corpus of about ${target_mb} MB in $corpus"
    src="$corpus/src"
    mkdir -p "$src"
    head -c 60000 /dev/urandom > "$src/cover.jpg"
    printf '\xff\xd8\xff\xe0' | dd of="$src/cover.jpg" conv=notrunc status=none
    raw="$src/noise.raw"
    # 150 s of 16-bit stereo noise at 44.1 kHz.
    head -c $((44100 * 4 * 150)) /dev/urandom > "$raw"
    pcm=(-r -s 44.1 --bitwidth 16 --signed --little-endian)
    i=0
    for opts in "-b 128" "-b 192" "-b 256 -p" "-b 320" "-V 2" "-V 5" "-b 64 --resample 22.05" \
                "-b 32 --resample 11.025 -m m" "-b 128 --ti $src/cover.jpg --tt Title --ta Artist --tn 3" \
                "-b 160 --tt Song --tg Rock"; do
        i=$((i + 1))
        # shellcheck disable=SC2086
        lame --quiet "${pcm[@]}" $opts "$raw" "$src/base$i.mp3" 2>/dev/null
    done
    total=0
    copy=0
    while [ $total -lt $((target_mb * 1000000)) ]; do
        for f in "$src"/base*.mp3; do
            copy=$((copy + 1))
            cp "$f" "$corpus/$(printf '%04d' $copy)-$(basename "$f")"
            total=$((total + $(stat -c %s "$f")))
        done
    done
fi
"$build_dir/bench/mp3/bench_mp3" "$corpus"
