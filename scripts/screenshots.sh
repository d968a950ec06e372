#!/usr/bin/env bash
# Starts Melvora on a virtual X display (Xvfb) and saves screenshots: the start picture
# (splash.png), the login dialog (login.png), the main window after "Anmelden" (main.png), the
# MP3 list filled by the search field (main-list.png), the folder tree beside it (folder-tree.png),
# the filter dialog (filter-dialog.png), the settings sheet (settings.png) and a question with its
# German buttons (question.png).
#
# By default it builds a demo of its own from the build folder: a private home folder with a fresh
# installation (melvora-setup --unattended), a medium "Musik" of generated, tagged MP3 files in
# nested folders, scanned with melvora-cli. Nothing of the user's own installation is touched.
# With MELVORA_INSTALL_DIR set it starts that installation instead (the first three pictures only
# make sense there; MELVORA_PASSWORD is typed into the login dialog).
# Usage: scripts/screenshots.sh [--docs] [output folder, default build/screenshots/]
# --docs also copies the list, the tree and the filter dialog into docs/ for the README.
# MELVORA_DISPLAY picks the X display number (default: a free one).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${BUILD_DIR:-build}
docs=0
if [ "${1:-}" = "--docs" ]; then
    docs=1
    shift
fi
out=${1:-$build_dir/screenshots}
size=1024x768
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

demo=1
if [ -n "${MELVORA_INSTALL_DIR:-}" ]; then
    demo=0
    install_dir=$MELVORA_INSTALL_DIR
else
    # The demo's own home: its profile, data source, catalog and installation.
    export HOME="$work/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_DATA_HOME="$HOME/.local/share"
    unset ODBCSYSINI
    # unixODBC finds the user's data sources through the account's home, not $HOME: name the
    # demo's own file, so the real user's odbc.ini stays untouched.
    export ODBCINI="$HOME/.odbc.ini"
    mkdir -p "$HOME"
    install_dir="$HOME/.local/opt/Kiv/Melvora"
    "$root/$build_dir/src/setup/cli/melvora-setup" --unattended --install-dir "$install_dir" --no-links \
        --user Eva >/dev/null
    music="$HOME/Musik"
    cli="$root/$build_dir/src/app/cli/melvora-cli"
    song() {  # folder, file, artist, title, album, year
        mkdir -p "$music/$1"
        ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=$((220 + RANDOM % 660)):duration=$((20 + RANDOM % 200))" \
            -ac 2 -b:a 128k -id3v2_version 0 "$music/$1/$2"
        "$cli" tag "$music/$1/$2" --artist "$3" --title "$4" --album "$5" --year "$6" >/dev/null 2>&1
    }
    song "Klassik/Bach" "01 Air.mp3" "Johann Sebastian Bach" "Air" "Orchestersuiten" 1994
    song "Klassik/Bach" "02 Badinerie.mp3" "Johann Sebastian Bach" "Badinerie" "Orchestersuiten" 1994
    song "Klassik/Mozart" "Kleine Nachtmusik.mp3" "Wolfgang Amadeus Mozart" "Eine kleine Nachtmusik" "Serenaden" 1987
    song "Klassik/Mozart" "Rondo alla turca.mp3" "Wolfgang Amadeus Mozart" "Rondo alla turca" "Klaviersonaten" 1991
    song "Jazz" "Take Five.mp3" "Dave Brubeck Quartet" "Take Five" "Time Out" 1959
    song "Jazz" "So What.mp3" "Miles Davis" "So What" "Kind of Blue" 1959
    song "Rock/Deutsch" "Ohne dich.mp3" "Die Kapelle" "Ohne dich" "Nachtfahrt" 2004
    song "Rock/Deutsch" "Sommerregen.mp3" "Die Kapelle" "Sommerregen" "Nachtfahrt" 2004
    song "Rock/International" "Highway Song.mp3" "The Roadrunners" "Highway Song" "Long Way Home" 1978
    song "Rock/International" "Lights.mp3" "The Roadrunners" "City Lights" "Long Way Home" 1978
    song "Hörspiele" "Kapitel 1.mp3" "Erzähler" "Kapitel 1: Der Anfang" "Die Reise" 2011
    song "" "Unsortiert.mp3" "Unbekannt" "Fundstück" "" 2020
    "$cli" medium create Musik "$music" --user Eva >/dev/null
    "$cli" scan Musik --user Eva 2>/dev/null
fi
if [ ! -x "$install_dir/melvora" ]; then
    echo "screenshots.sh: no installed Melvora in $install_dir (run scripts/run.sh first)" >&2
    exit 1
fi

if [ -n "${MELVORA_DISPLAY:-}" ]; then
    Xvfb ":$MELVORA_DISPLAY" -screen 0 "${size}x24" -nolisten tcp 2>"$work/xvfb.log" &
    xvfb_pid=$!
    echo "$MELVORA_DISPLAY" >"$work/display"
    sleep 1
else
    # Xvfb picks a free display number and writes it to fd 3.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
fi
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
    xdotool mousemove 1020 760  # the pointer out of the picture
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

main=$(wait_for_window "Melvora Version 1.1 Beta")
shot main.png
[ "$demo" = 1 ] || exit 0

key() { xdotool key --window "$main" --delay 100 "$@"; sleep 0.4; }
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
# F1 focuses the search field; Enter with an empty field lists every file. The window takes keys
# only once its first refill after the login is through.
sleep 2
key F1 Return
shot main-list.png

# "Baum u. Datei Ansicht" (the bar's button): the media tree above, a folder's contents below.
xdotool mousemove 108 38 click 1
sleep 0.5
xdotool mousemove 60 107 click 1
sleep 0.3
key Right Down Right Down Down Down Right
key F1 Return
shot folder-tree.png

# "Filter" > "Definieren" (the menu's first entry).
xdotool mousemove 209 8 click 1
sleep 0.5
xdotool mousemove 240 30 click 1
sleep 1
shot filter-dialog.png
xdotool key Escape
sleep 0.5

# "Einstellungen" > "Programmeinstellungen".
xdotool mousemove 421 8 click 1
sleep 0.5
xdotool mousemove 476 74 click 1
sleep 1
shot settings.png
xdotool key Escape
sleep 0.5

# "Ordner/Datei(n) von Festplatte löschen" on the list's first row asks first; "Nein" (Escape).
xdotool mousemove 500 126 click 1
sleep 0.3
xdotool mousemove 826 38 click 1
sleep 1
shot question.png
xdotool key Escape



if [ "$docs" = 1 ]; then
    mkdir -p "$root/docs"
    # Without a window manager the window keeps its own size: the pictures show the window only.
    geometry=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd x)
    for pair in main-list:main-window folder-tree:folder-tree filter-dialog:filter-dialog; do
        convert "$out/${pair%%:*}.png" -crop "${geometry}+0+0" +repage "$root/docs/${pair#*:}.png"
    done
    echo "copied main-window.png, folder-tree.png and filter-dialog.png into docs/"
fi
