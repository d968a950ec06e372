#!/usr/bin/env bash
# Runs the tools benchmark on both catalog engines: a SQLite file and a throw-away PostgreSQL server
# on 127.0.0.1 (as the tests use), the server also through the delay proxy (a LAN's round trip),
# each registered in a private odbc.ini. Builds bench_tools into build/ (or BUILD_DIR) first; extra
# arguments go to bench_tools (see ToolBench.cpp).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_tools >/dev/null

work=$(mktemp -d /tmp/melvora-tools-bench.XXXXXX)
PG_PORT=${PG_PORT:-54343}
source scripts/catalog-env.sh
trap 'catalog_env_lan_stop; pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
catalog_env_lan_start "$build_dir" MelvoraBench
"$build_dir/bench/tools/bench_tools" --work "${BENCH_WORK:-$work/files}" "$@" MelvoraBenchSqlite MelvoraBenchPg MelvoraBenchPgLan
