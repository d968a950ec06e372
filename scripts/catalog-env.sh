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
