#!/usr/bin/env bash
# Runs the playback benchmark: the player on a 6-second lame-encoded file (made here with lame), and
# the playlist load on a SQLite file and a throw-away PostgreSQL server on 127.0.0.1, each registered
# in a private odbc.ini. Builds bench_playback into build/ (or BUILD_DIR) first; extra arguments go
# to bench_playback.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target bench_playback >/dev/null

work=$(mktemp -d /tmp/melvora-playback-bench.XXXXXX)
PG_PORT=${PG_PORT:-54341}
source scripts/catalog-env.sh
trap 'pg_stop; rm -rf "$work"' EXIT
catalog_env_start "$work" MelvoraBench catalog-bench.db
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# Six seconds of a 440 Hz tone, lame-encoded.
python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
w = wave.open(sys.argv[1], 'wb'); w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
w.writeframes(b''.join(struct.pack('<hh', v, v) for v in (int(8000 * math.sin(2 * math.pi * 440 * i / 44100)) for i in range(44100 * 6))))
w.close()
PY
lame --quiet -b 128 "$work/tone.wav" "$work/tone.mp3"

"$build_dir/bench/playback/bench_playback" --tone "$work/tone.mp3" "$@" ${BENCH_DSNS:-MelvoraBenchSqlite MelvoraBenchPg}
