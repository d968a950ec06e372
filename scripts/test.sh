#!/usr/bin/env bash
# Sets up everything the tests need and runs every test: packages, build, a private PostgreSQL
# server on 127.0.0.1, a private odbc.ini with one SQLite and one PostgreSQL test data source.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
scripts/build.sh "$@"

work=$(mktemp -d /tmp/melvora-test.XXXXXX)
chmod 755 "$work"
source scripts/test-postgres.sh
trap 'pg_stop; rm -rf "$work"' EXIT
pg_start "$work/pg"

export ODBCINI="$work/odbc.ini"
cat > "$ODBCINI" <<INI
[MelvoraTestSqlite]
Driver=SQLite3
Database=$work/catalog-test.db
Timeout=10000

[MelvoraTestPg]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PG_PORT
Database=melvora_test
Username=postgres
Password=
INI
export MELVORA_TEST_WORKDIR="$work"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config"
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --no-tests=error -j "$(nproc)" --timeout 600
