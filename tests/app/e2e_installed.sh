#!/usr/bin/env bash
# Installs the programs into a temporary DESTDIR as a package would, and
# starts the installed torven under Xvfb as a desktop user with a fresh home:
# the data land in the user's data folder (~/.local/share/Selvora), nothing
# beside the installed executable, and closing it takes the day's backup
# there. A copy of the programs in a folder of its own (a USB stick) keeps its
# data beside itself instead. Skips (77) when Xvfb or xdotool is missing.
#   e2e_installed.sh BUILD-FOLDER
set -euo pipefail
build=$1
program="$build/bin/torven"
. "$(dirname "$0")/e2e_display.sh"

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
installed=$(dirname "$(readlink -f "$work/root/usr/bin/torven")")
[ -L "$work/root/usr/bin/torven" ] && [ -f "$installed/torven" ] && [ -f "$installed/kurulum.txt" ] \
    || { echo "unexpected install layout"; cat "$work/install.log"; exit 1; }
[ -f "$work/root/usr/share/applications/org.selvora.Selvora.desktop" ]

export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
user_data="$HOME/.local/share/Selvora"

start_display

# Starts a program the way the desktop entry does, waits for the data set-up
# (the caption gets its suffix then), finds the lock of the running copy in
# the data folder expected, and closes the program with F12.
run_and_close() {
    local program=$1 log=$2 data=$3
    # exec: $app is the program itself, so a kill reaches it.
    (cd "$HOME" && LANG=C.UTF-8 QT_QPA_PLATFORM=xcb exec "$program" >"$log" 2>&1) &
    app=$!
    local window="" caption=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^Selvora 1.4" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && caption=$(xdotool getwindowname "$window" 2>/dev/null || true)
        [ "$caption" = "Selvora 1.4 - Çek Takip Programı" ] && break
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    [ "$caption" = "Selvora 1.4 - Çek Takip Programı" ] || { echo "no main window; it said:"; cat "$log"; exit 1; }
    [ -f "$data/Veriler/Selvora.kilit" ] || { echo "no lock in $data/Veriler"; exit 1; }
    xdotool windowfocus --sync "$window"
    xdotool key F12
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    ! kill -0 "$app" 2>/dev/null || { echo "F12 did not close $program"; exit 1; }
    wait "$app" || { echo "$program failed"; cat "$log"; exit 1; }
    app=""
}

tables() { ls "$1" 2>/dev/null | grep -ci '\.db$' || true; }

# 1. The installed program, started through its link in /usr/bin.
run_and_close "$work/root/usr/bin/torven" "$work/installed.log" "$user_data"
[ "$(tables "$user_data/Veriler")" = 7 ] || { echo "no tables in $user_data/Veriler"; ls -R "$HOME"; exit 1; }
[ -f "$user_data/GridAyarlari.ini" ] || { echo "no grid layouts in $user_data"; exit 1; }
ls "$user_data/Yedekler/"otomatik-*.zip >/dev/null || { echo "no automatic backup in $user_data/Yedekler"; exit 1; }
leftovers=$(ls -A "$installed" | grep -v -x -e torven -e about -e selvora-rapor -e selvora-import \
                                             -e selvora-tr.so -e kurulum.txt || true)
[ -z "$leftovers" ] || { echo "written beside the installed program: $leftovers"; exit 1; }
[ "$(sqlite3 "$user_data/Veriler/mct.DB" 'SELECT count(*) FROM mct')" = 6 ]
# The command-line report reads the same folder.
set +e
report=$("$work/root/usr/bin/selvora-rapor" musteri hepsi 2>&1)
code=$?
set -e
[ "$code" = 1 ] && [ "$report" = "selvora-rapor: Raporlanacak kayıt yok." ] \
    || { echo "selvora-rapor: $code $report"; exit 1; }

# 2. A copy of the programs in a folder of its own keeps its data beside it.
before=$(cd "$user_data" && find . | sort)
portable="$work/usb/Selvora"
mkdir -p "$portable"
cp "$installed/torven" "$installed/about" "$installed/selvora-rapor" "$portable/"
run_and_close "$portable/torven" "$work/portable.log" "$portable"
[ "$(tables "$portable/Veriler")" = 7 ] || { echo "no tables beside the copy"; ls -R "$portable"; exit 1; }
[ -f "$portable/GridAyarlari.ini" ]
ls "$portable/Yedekler/"otomatik-*.zip >/dev/null
[ "$(cd "$user_data" && find . | sort)" = "$before" ] || { echo "the copy wrote into the user's data folder"; exit 1; }
echo "installed: data in $user_data; copy: data beside it"
