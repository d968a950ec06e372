#!/usr/bin/env bash
# Runs the media management benchmark on both catalog engines: a SQLite file and a throw-away PostgreSQL server
# on 127.0.0.1 (as the tests use), each registered in a private odbc.ini. Builds bench_media into
# build/ (or BUILD_DIR) first; extra arguments go to bench_media (--items N, default 100000).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_media >/dev/null

work=$(mktemp -d /tmp/melvora-media-bench.XXXXXX)
chmod 755 "$work"
PG_PORT=${PG_PORT:-54339}
source scripts/test-postgres.sh
trap 'pg_stop; rm -rf "$work"' EXIT
pg_start "$work/pg"

export ODBCINI="$work/odbc.ini"
cat > "$ODBCINI" <<INI
[MelvoraBenchSqlite]
Driver=SQLite3
Database=$work/catalog-bench.db
Timeout=10000

[MelvoraBenchPg]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PG_PORT
Database=melvora_test
Username=postgres
Password=
INI
export XDG_CONFIG_HOME="$work/config"
"$build_dir/bench/media/bench_media" "$@" MelvoraBenchSqlite MelvoraBenchPg
