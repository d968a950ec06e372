# Sourced by the test and benchmark scripts: a private catalog environment in a work folder, made of
# a throw-away PostgreSQL server on 127.0.0.1 (port PG_PORT) and a private odbc.ini with one SQLite
# and one PostgreSQL data source named PREFIX + "Sqlite" and PREFIX + "Pg". The caller stops the
# server with pg_stop (usually in its EXIT trap).
source "$(dirname "${BASH_SOURCE[0]}")/test-postgres.sh"

# catalog_env_start WORK PREFIX SQLITE_FILE_NAME
catalog_env_start() {
    local work=$1 prefix=$2 sqlite_file=$3
    chmod 755 "$work"
    pg_start "$work/pg"
    export ODBCINI="$work/odbc.ini"
    cat > "$ODBCINI" <<INI
[${prefix}Sqlite]
Driver=SQLite3
Database=$work/$sqlite_file
Timeout=10000

[${prefix}Pg]
INI
    catalog_env_pg_keys >> "$ODBCINI"
    export XDG_CONFIG_HOME="$work/config"
}

# The keys of a data source on the private PostgreSQL server, for further sections of odbc.ini.
catalog_env_pg_keys() {
    cat <<INI
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PG_PORT
Database=melvora_test
Username=postgres
Password=
INI
}

# catalog_env_lan_start BUILD_DIR PREFIX: starts the delay proxy (0.25 ms each way per chunk, a LAN's
# round trip) in front of the private PostgreSQL server and registers a third data source,
# PREFIX + "PgLan", that reaches the server through it. The caller stops it with catalog_env_lan_stop.
LAN_PROXY_PID=""
catalog_env_lan_start() {
    local build_dir=$1 prefix=$2 log line="" i
    cmake --build "$build_dir" --target melvora-delayproxy >/dev/null
    log=$(mktemp /tmp/melvora-lan.XXXXXX)
    "$build_dir/bench/proxy/melvora-delayproxy" 0 127.0.0.1 "$PG_PORT" > "$log" &
    LAN_PROXY_PID=$!
    for i in $(seq 50); do
        line=$(head -n 1 "$log")
        [ -n "$line" ] && break
        sleep 0.1
    done
    rm -f "$log"
    [ -n "$line" ] || { echo "the delay proxy did not start" >&2; return 1; }
    {
        echo
        echo "[${prefix}PgLan]"
        catalog_env_pg_keys | sed "s/^Port=.*/Port=${line##* }/"
    } >> "$ODBCINI"
}

catalog_env_lan_stop() {
    [ -n "$LAN_PROXY_PID" ] && kill "$LAN_PROXY_PID" 2>/dev/null && wait "$LAN_PROXY_PID" 2>/dev/null || true
    LAN_PROXY_PID=""
}
