#!/usr/bin/env bash
# Runs the LAN benchmark of a shared catalog against a private PostgreSQL server on 127.0.0.1
# (PG_PORT, default 54343): login and the first list of a search, direct and through the delay proxy.
# Builds bench_lan into build/ (or BUILD_DIR) first; extra arguments go to bench_lan.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_lan >/dev/null

work=$(mktemp -d /tmp/melvora-lan-bench.XXXXXX)
PG_PORT=${PG_PORT:-54343}
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
"$build_dir/bench/lan/bench_lan" --port "$PG_PORT" "$@"
