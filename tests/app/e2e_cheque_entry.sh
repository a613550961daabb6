#!/usr/bin/env bash
# Types a company cheque and a customer cheque into the real program under
# Xvfb, as a person would, closes it with F12, and finds the cheques in
# Veriler and both grid layouts in GridAyarlari.ini. Skips (77) when Xvfb or
# xdotool is missing.
set -euo pipefail
program=$1
for tool in Xvfb xdotool sqlite3; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
work=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$work/torven"

# Xvfb picks a free display itself and names it only once it takes clients.
start_display() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 300); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start: skipped"; cat "$work/xvfb.log"; exit 77; }
    export DISPLAY=":$(head -1 "$work/display")"
}

# Starts the program and waits for its main window.
start_program() {
    (cd "$work" && LANG=C LC_ALL=C QT_QPA_PLATFORM=xcb ./torven >"$work/torven.log" 2>&1) &
    app=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --name "Selvora 1.4" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && return 0
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    echo "the main window did not appear; the program said:"
    cat "$work/torven.log"
    return 1
}

# Waits until a window whose caption matches the pattern is shown (or, with
# "gone", until none is): a slow machine gets the time it needs.
wait_for_window() {
    local pattern=$1 want=${2:-shown}
    for _ in $(seq 100); do
        if xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; then
            [ "$want" = shown ] && return 0
        else
            [ "$want" = gone ] && return 0
        fi
        sleep 0.1
    done
    echo "window '$pattern' not $want"
    exit 1
}

# The first X client on a freshly installed machine has been seen to die
# before showing anything; that start is logged and the whole display is
# brought up once more.
if ! { start_display && start_program; }; then
    kill "$app" "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work/Veriler" "$work/GridAyarlari.ini"
    start_display
    start_program || exit 1
fi
sleep 1
# The caption gets its suffix once the data set-up has run after the first paint.
for _ in $(seq 100); do
    caption=$(xdotool getwindowname "$window")
    [ "$caption" = "Selvora 1.4 - Çek Takip Programı" ] && break
    sleep 0.1
done
[ "$caption" = "Selvora 1.4 - Çek Takip Programı" ] || { echo "caption: $caption"; exit 1; }
xdotool windowmove --sync "$window" 0 0
xdotool windowfocus --sync "$window"
xdotool key F2
wait_for_window 'KAYIT\]'
sleep 0.5
xdotool type --delay 30 "15.12.2026"; xdotool key Tab
xdotool type --delay 30 "1250.50"; xdotool key Tab
xdotool type --delay 30 "Ziraat"; xdotool key Tab
xdotool type --delay 30 "Merkez"; xdotool key Tab
xdotool type --delay 30 "123-456"; xdotool key Tab
xdotool type --delay 30 "AB 1001"
xdotool key F5
wait_for_window '^Selvora$'  # the after-save question
sleep 0.3
xdotool key F3            # leave the entry dialog
wait_for_window 'KAYIT\]' gone

xdotool windowfocus --sync "$window"
xdotool mousemove 193 17 click 1   # "Müşteri Selvora"
sleep 0.5
xdotool key F2
wait_for_window 'KAYIT\]'
sleep 0.5
xdotool key Tab           # the customer dialog opens on its endorsement box
xdotool type --delay 30 "20.01.2027"; xdotool key Tab
xdotool type --delay 30 "99.90"; xdotool key Tab
xdotool type --delay 30 "MC 77"; xdotool key Tab
xdotool type --delay 30 "Sevgi"; xdotool key Tab
xdotool type --delay 30 "Halkbank"
xdotool key F5
wait_for_window '^Selvora$'
sleep 0.3
xdotool key F3
wait_for_window 'KAYIT\]' gone

xdotool windowfocus --sync "$window"
xdotool key F12
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$app" 2>/dev/null || { echo "F12 did not close the program"; exit 1; }
row=$(sqlite3 "$work/Veriler/firma_cek.db" "SELECT VADE_TARIHI, CEK_TUTARI, BANKA_ADI, CEK_NUMARASI FROM firma_cek")
echo "company cheque: $row"
[ "$row" = "2026-12-15|125050|Ziraat|AB 1001" ]
row=$(sqlite3 "$work/Veriler/museri_cek.db" \
      "SELECT VADE_TARIHI, CEK_TUTARI, CEK_NUMARASI, HESAPSAHIBI, BANKASI, CIRO_EDEN, CEK_CIROLU FROM museri_cek")
echo "customer cheque: $row"
[ "$row" = "2027-01-20|9990|MC 77|Sevgi|Halkbank|YOK|0" ]
sections=$(grep -c '^\[cekformuGrid\(FirmaCek\|MusteriCek\)\]' "$work/GridAyarlari.ini")
[ "$sections" = 2 ]
grep -q '^CEKI_ALAN=40;;ÇEKİ ALAN;;' "$work/GridAyarlari.ini"
