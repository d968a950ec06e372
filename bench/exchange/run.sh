#!/usr/bin/env bash
# Runs the exchange benchmark: export and import throughput against cp -r (on a SQLite catalog), and
# writing and reading import lists on a SQLite file and a throw-away PostgreSQL server on 127.0.0.1,
# each registered in a private odbc.ini. Builds bench_exchange into build/ (or BUILD_DIR) first;
# extra arguments go to bench_exchange (--mb MB, --records N). BENCH_WORK names the folder for the
# files (default: a temporary folder on the disk of /tmp).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_exchange >/dev/null

work=$(mktemp -d /tmp/melvora-exchange-bench.XXXXXX)
PG_PORT=${PG_PORT:-54340}
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
files=${BENCH_WORK:-$work/files}
mkdir -p "$files"
"$build_dir/bench/exchange/bench_exchange" --work "$files" "$@" MelvoraBenchSqlite MelvoraBenchPg
