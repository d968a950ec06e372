#!/usr/bin/env bash
# Runs the commands of the README's section on the shared catalog against the test PostgreSQL
# server, as a household would: the server block once, the "each computer" block on two computers
# (two home folders with their own odbc.ini and profile), the "once" block on the first. Then both
# computers log in as the users added there, and no password stands in any file but ~/.pgpass.
# Usage: readme.sh README.md MELVORA-CLI   (ODBCINI names the test data sources, as scripts/test.sh sets)
set -euo pipefail
readme=$1
cli_binary=$2
port=$(awk '/^\[MelvoraTestPg\]/{f=1; next} /^\[/{f=0} f && /^Port=/{print substr($0, 6); exit}' "$ODBCINI")
[ -n "$port" ] || { echo "readme.sh: no test PostgreSQL server in $ODBCINI" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The README's blocks, in order: one file per block, named after the comment above it.
awk -v dir="$work" '
    /^<!-- shared-catalog: .* -->$/ { role = $0; sub(/^<!-- shared-catalog: /, "", role); sub(/ -->$/, "", role); next }
    /^```sh$/ && role != "" { n++; gsub(/ /, "-", role); file = sprintf("%s/%02d-%s.sh", dir, n, role); inblock = 1; next }
    /^```$/ && inblock { inblock = 0; role = ""; next }
    inblock { print > file }
' "$readme"
ls "$work"/*.sh >/dev/null
for role in server each-computer once; do
    ls "$work"/*-"$role".sh >/dev/null || { echo "readme.sh: no \"$role\" block in the README" >&2; exit 1; }
done

# What the blocks call, pointed at the test server: the package is installed by CI from
# packages.txt (here it is only checked), "sudo -u postgres" is the server's superuser over TCP.
cat > "$work/stand-ins.sh" <<STANDINS
apt-get() { [ "\$1" = install ] && shift; for p in "\$@"; do dpkg -s "\$p" >/dev/null; done; }
sudo() { [ "\$1" = -u ] && [ "\$2" = postgres ] && shift 2; PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres "\$@"; }
melvora-cli() { "$cli_binary" "\$@"; }
set -euo pipefail
STANDINS

# run BLOCK HOME INPUT: one block in a computer's home, the typed lines on standard input, without a
# controlling terminal (so the prompts read standard input).
run() {
    local block=$1 home=$2 input=$3
    mkdir -p "$home"
    { cat "$work/stand-ins.sh"; sed "s/server:5432/127.0.0.1:$port/g" "$block"; } > "$work/run.sh"
    printf '%s' "$input" | HOME=$home XDG_CONFIG_HOME=$home/.config ODBCINI=$home/.odbc.ini \
        PGPASSFILE= setsid -w bash "$work/run.sh" || { echo "readme.sh: $(basename "$block") failed" >&2; exit 1; }
}

# A fresh start on a server that may have run this before.
PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres dropdb --if-exists melvora
PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres dropuser --if-exists melvora

db_password='Haus:halt\Passwort 1'
for block in "$work"/*.sh; do
    case $block in
    *-server.sh) run "$block" "$work/server" "$db_password"$'\n'"$db_password"$'\n' ;;
    *-each-computer.sh)
        run "$block" "$work/pc1" "$db_password"$'\n'
        run "$block" "$work/pc2" "$db_password"$'\n' ;;
    *-once.sh) run "$block" "$work/pc1" $'Annas Paßwort\nBernds Paßwort\n' ;;
    esac
done

# Two profiles on one catalog: each computer logs in, anna on the first, bernd on the second.
for pair in "pc1:anna:Annas Paßwort" "pc2:bernd:Bernds Paßwort"; do
    IFS=: read -r pc user password <<<"$pair"
    HOME=$work/$pc XDG_CONFIG_HOME=$work/$pc/.config ODBCINI=$work/$pc/.odbc.ini PGPASSFILE= \
        "$cli_binary" login --user "$user" --password "$password" </dev/null
done

# The passwords stand in no file but .pgpass (and that one readable by its owner only).
for pc in pc1 pc2; do
    [ "$(stat -c %a "$work/$pc/.pgpass")" = 600 ] || { echo "readme.sh: $pc/.pgpass is not mode 600" >&2; exit 1; }
done
found=$(grep -rlF -e 'halt\Passwort' -e 'halt\\Passwort' -e 'Annas Paßwort' "$work/pc1" "$work/pc2" "$work/server" || true)
expected=$(printf '%s\n' "$work/pc1/.pgpass" "$work/pc2/.pgpass")
if [ "$(printf '%s\n' "$found" | sort)" != "$expected" ]; then
    echo "readme.sh: a password was found in: $found" >&2
    exit 1
fi
echo "README commands ran: two computers on one catalog"
