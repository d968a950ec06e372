#!/usr/bin/env bash
# Runs the cold scan benchmark on a SQLite catalog registered in a private odbc.ini. Builds
# bench_coldscan into build/ (or BUILD_DIR) first. The page cache is dropped before every cold run,
# which needs root. Extra arguments go to bench_coldscan (see ColdScanBench.cpp); BENCH_WORK=folder
# keeps and reuses the generated files.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DMELVORA_BENCH=ON >/dev/null
cmake --build "$build_dir" --target bench_coldscan melvora-cli >/dev/null

work=$(mktemp -d /tmp/melvora-coldscan.XXXXXX)
trap 'rm -rf "$work"' EXIT
export ODBCINI="$work/odbc.ini" XDG_CONFIG_HOME="$work/config"
cat > "$ODBCINI" <<INI
[MelvoraColdScan]
Driver=SQLite3
Database=$work/catalog.db
Timeout=10000
INI
"$build_dir/bench/coldscan/bench_coldscan" --work "${BENCH_WORK:-$work/files}" "$@" MelvoraColdScan
