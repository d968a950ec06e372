#!/usr/bin/env bash
# Runs the media management benchmark on both catalog engines: a SQLite file and a throw-away
# PostgreSQL server on 127.0.0.1 (as the tests use), also through the delay proxy (a LAN's round
# trip), each registered in a private odbc.ini. Builds bench_media into build/ (or BUILD_DIR) first;
# extra arguments go to bench_media (--items N, default 100000).
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_media >/dev/null

work=$(mktemp -d /tmp/melvora-media-bench.XXXXXX)
PG_PORT=${PG_PORT:-54339}
source scripts/catalog-env.sh
trap 'catalog_env_lan_stop; pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
catalog_env_lan_start "$build_dir" MelvoraBench
"$build_dir/bench/media/bench_media" "$@" MelvoraBenchSqlite MelvoraBenchPg MelvoraBenchPgLan
