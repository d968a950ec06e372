#!/usr/bin/env bash
# Sets up everything the tests need and runs every test: packages, build, a private PostgreSQL
# server on 127.0.0.1, a private odbc.ini with one SQLite and one PostgreSQL test data source.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
scripts/build.sh "$@"

work=$(mktemp -d /tmp/melvora-test.XXXXXX)
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraTest catalog-test.db
export MELVORA_TEST_WORKDIR="$work"
export QT_QPA_PLATFORM=offscreen
# Files deleted by tests go to a trash of their own.
export XDG_DATA_HOME="$work/data"
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --no-tests=error -j "$(nproc)" --timeout 600
