#!/usr/bin/env bash
# Sets up and starts Melvora for this user: installs the Debian packages that are missing, builds,
# installs Melvora with melvora-setup when the user has no data source "Melvora" yet (a new SQLite
# catalog, its data source, a first user named after the system user, desktop and menu entries, the
# hand-over record), otherwise brings the installed program up to date, and starts Melvora from its
# installation folder. Arguments go to melvora-setup's first installation (see melvora-setup --help),
# for example: scripts/run.sh --password geheim --medium-name Musik --medium-folder ~/Musik --scan
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
setup="$build_dir/src/setup/cli/melvora-setup"
install_dir=${MELVORA_INSTALL_DIR:-$HOME/.local/opt/Kiv/Melvora}

# The user's data sources as the driver manager sees them ($ODBCINI or ~/.odbc.ini, and the system's).
has_data_source() {
    odbcinst -q -s 2>/dev/null | grep -qx '\[Melvora\]'
}

if has_data_source; then
    "$setup" --unattended --files-only --install-dir "$install_dir" >/dev/null
else
    "$setup" --unattended --install-dir "$install_dir" "$@"
fi

# As the desktop entry does: the program runs in its installation folder, where it finds "Setup.ini".
cd "$install_dir"
exec ./melvora
