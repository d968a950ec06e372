#!/usr/bin/env bash
# Runs the MP3 list benchmark under the offscreen platform. Builds bench_lists into build/ (or
# BUILD_DIR) first; an optional argument gives the number of items (default 100000).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_lists >/dev/null
work=$(mktemp -d /tmp/melvora-lists-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
"$build_dir/bench/lists/bench_lists" "$@"
