#!/usr/bin/env bash
# Runs the list-read benchmark on both catalog engines: a SQLite file and a throw-away PostgreSQL
# server on 127.0.0.1 (as the tests use), each registered in a private odbc.ini, plus the driver
# options for large results (SQLite "StepAPI", psqlODBC "UseDeclareFetch") as variants. Builds
# bench_listread into build/ (or BUILD_DIR) first; extra arguments go to bench_listread.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_listread >/dev/null

work=$(mktemp -d /tmp/melvora-listread-bench.XXXXXX)
chmod 755 "$work"
PG_PORT=${PG_PORT:-54338}
source scripts/test-postgres.sh
trap 'pg_stop; rm -rf "$work"' EXIT
pg_start "$work/pg"

export ODBCINI="$work/odbc.ini"
cat > "$ODBCINI" <<INI
[MelvoraBenchSqlite]
Driver=SQLite3
Database=$work/catalog-bench.db
Timeout=10000

[MelvoraBenchSqliteStep]
Driver=SQLite3
Database=$work/catalog-bench-step.db
Timeout=10000
StepAPI=1

[MelvoraBenchPg]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PG_PORT
Database=melvora_test
Username=postgres
Password=

[MelvoraBenchPgDeclare]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PG_PORT
Database=melvora_test
Username=postgres
Password=
UseDeclareFetch=1
Fetch=4096
INI
export XDG_CONFIG_HOME="$work/config"
"$build_dir/bench/listread/bench_listread" "$@" ${BENCH_DSNS:-MelvoraBenchSqlite MelvoraBenchSqliteStep MelvoraBenchPg MelvoraBenchPgDeclare}
