#!/usr/bin/env bash
# Sets up and starts Melvora on its embedded default: a SQLite catalog behind the data source "Melvora".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
exec "$build_dir/src/app/cli/melvora-cli" "$@"
