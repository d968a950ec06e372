#!/usr/bin/env bash
# Starts the installed Melvora on a virtual X display (Xvfb) and saves screenshots of the start
# picture (splash.png), the login dialog (login.png) and, after "Anmelden", the main window
# (main.png). Run scripts/run.sh once first (or melvora-setup --unattended).
# Usage: scripts/screenshots.sh [output folder, default build/screenshots/]
# MELVORA_INSTALL_DIR names the installation (default ~/.local/opt/Kiv/Melvora), MELVORA_PASSWORD
# the password typed into the login dialog (default none).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-${BUILD_DIR:-build}/screenshots}
install_dir=${MELVORA_INSTALL_DIR:-$HOME/.local/opt/Kiv/Melvora}
size=1024x768
if [ ! -x "$install_dir/melvora" ]; then
    echo "screenshots.sh: no installed Melvora in $install_dir (run scripts/run.sh first)" >&2
    exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb

# Waits up to 30 s for a visible window with exactly this title; prints its id.
wait_for_window() {
    for _ in $(seq 300); do
        if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$app_pid" 2>/dev/null || { echo "screenshots.sh: Melvora ended" >&2; return 1; }
        sleep 0.1
    done
    echo "screenshots.sh: no window \"$1\" appeared" >&2
    return 1
}

shot() {
    sleep 0.7  # let the window paint
    ffmpeg -loglevel error -y -f x11grab -video_size "$size" -i "$DISPLAY" -frames:v 1 "$out/$1"
    echo "saved $out/$1"
}

(cd "$install_dir" && exec ./melvora) >"$work/melvora.log" 2>&1 &
app_pid=$!

sleep 1
shot splash.png

login=$(wait_for_window "Melvora")
shot login.png

xdotool windowactivate --sync "$login" 2>/dev/null || xdotool windowfocus --sync "$login"
if [ -n "${MELVORA_PASSWORD:-}" ]; then
    xdotool type --window "$login" --delay 20 "$MELVORA_PASSWORD"
fi
xdotool key --window "$login" Return

wait_for_window "Melvora Version 1.1 Beta" >/dev/null
shot main.png
