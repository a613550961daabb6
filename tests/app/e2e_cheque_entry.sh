#!/usr/bin/env bash
# Types a company cheque and a customer cheque into the real program under
# Xvfb, as a person would, closes it with F12, and finds the cheques in
# Veriler and both grid layouts in GridAyarlari.ini. Skips (77) when Xvfb or
# xdotool is missing.
set -euo pipefail
program=$1
. "$(dirname "$0")/e2e_display.sh"

start_display_and_program
sleep 1
wait_for_set_up
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
