#!/usr/bin/env bash
# Runs the list-read benchmark on both catalog engines: a SQLite file and a throw-away PostgreSQL
# server on 127.0.0.1 (as the tests use), the latter also through the delay proxy as on a LAN, each
# registered in a private odbc.ini. Every set-up runs in a process of its own, so the peak memory
# printed is its own. Builds bench_listread into build/ (or BUILD_DIR) first; extra arguments go to
# bench_listread (for example --search-rows 1000000 for the searches over a million rows).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_listread >/dev/null

work=$(mktemp -d /tmp/melvora-listread-bench.XXXXXX)
PG_PORT=${PG_PORT:-54338}
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
# Driver options for large results, as variants BENCH_DSNS may name.
{
    printf '\n[MelvoraBenchSqliteStep]\nDriver=SQLite3\nDatabase=%s\nTimeout=10000\nStepAPI=1\n' "$work/catalog-bench-step.db"
    printf '\n[MelvoraBenchPgDeclare]\n'
    catalog_env_pg_keys
    printf 'UseDeclareFetch=1\nFetch=4096\n'
} >> "$ODBCINI"
for dsn in ${BENCH_DSNS:-MelvoraBenchSqlite MelvoraBenchPg MelvoraBenchPgLan}; do
    "$build_dir/bench/listread/bench_listread" --lan-port "$PG_PORT" "$@" "$dsn"
done
