# Sourced by the test scripts: starts and stops a throw-away PostgreSQL server on 127.0.0.1.
PG_PORT=${PG_PORT:-54329}
PG_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
PG_DATA=""

pg_as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_start() {
    PG_DATA="$1"
    mkdir -p "$PG_DATA"
    [ "$(id -u)" -eq 0 ] && chown postgres "$PG_DATA"
    pg_as_owner "$PG_BIN/initdb" -D "$PG_DATA" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
    # The superuser needs no password; every other role logs in with its password over TCP, as on a
    # real server, so that the password file of a shared catalog is really used.
    cat > "$PG_DATA/pg_hba.conf" <<HBA
local all all trust
host all postgres 127.0.0.1/32 trust
host all all 127.0.0.1/32 scram-sha-256
HBA
    pg_as_owner "$PG_BIN/pg_ctl" -D "$PG_DATA" -l "$PG_DATA/server.log" -w \
        -o "-p $PG_PORT -k $PG_DATA -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
    pg_as_owner "$PG_BIN/createdb" -h 127.0.0.1 -p "$PG_PORT" -U postgres melvora_test
}

pg_stop() {
    [ -n "$PG_DATA" ] && [ -d "$PG_DATA" ] && pg_as_owner "$PG_BIN/pg_ctl" -D "$PG_DATA" -m fast stop >/dev/null 2>&1 || true
}
