#!/usr/bin/env bash
# Runs the folder benchmark on both catalog engines: a SQLite file and a throw-away PostgreSQL server
# on 127.0.0.1 (as the tests use), each registered in a private odbc.ini. Builds bench_folders into
# build/ (or BUILD_DIR) first; extra arguments go to bench_folders (see FolderBench.cpp).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_folders >/dev/null

work=$(mktemp -d /tmp/melvora-folder-bench.XXXXXX)
PG_PORT=${PG_PORT:-54341}
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
"$build_dir/bench/folders/bench_folders" --work "${BENCH_WORK:-$work/files}" "$@" MelvoraBenchSqlite MelvoraBenchPg
