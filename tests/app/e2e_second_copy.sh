#!/usr/bin/env bash
# One program per data folder, as a person meets it under Xvfb: a second
# copy started on the folder of a running one says so, ends when its box is
# answered and leaves every file as it was; after the running copy is
# killed (kill -9), its lock does not keep the next start from opening.
# Skips (77) when Xvfb or xdotool is missing.
set -euo pipefail
program=$1
. "$(dirname "$0")/e2e_display.sh"

# Every file of the program folder with its size and time of change.
files() {
    find "$work" -type f ! -name '*.log' ! -name display -printf '%P %s %T@\n' | sort
}

start_display_and_program
wait_for_set_up
first=$app
# The caption changes as the set-up begins: wait until it has written all.
before=$(files)
for _ in $(seq 50); do
    sleep 0.3
    now=$(files)
    [ "$now" = "$before" ] && break
    before=$now
done
[ -f "$work/Veriler/Selvora.kilit" ] || { echo "the running program holds no lock"; exit 1; }

launch second
second=$app
wait_for_window '^Uyar.*$'
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Uyar.*$' | head -1)"
xdotool key Return
code=0
wait "$second" || code=$?
app=$first
[ "$code" = 1 ] || { echo "the second copy ended with $code"; cat "$work/second.log"; exit 1; }
after=$(files)
[ "$before" = "$after" ] || { echo "the second copy changed files:"; diff <(echo "$before") <(echo "$after"); exit 1; }
kill -0 "$first" || { echo "the running program ended too"; exit 1; }

kill -9 "$first"
wait "$first" 2>/dev/null || true
wait_for_window 'Selvora 1.4' gone
[ -f "$work/Veriler/Selvora.kilit" ] || { echo "kill -9 left no lock behind: nothing was tested"; exit 1; }
start_program
wait_for_set_up
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool key F12
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$app" 2>/dev/null || { echo "F12 did not close the program"; exit 1; }
[ ! -e "$work/Veriler/Selvora.kilit" ] || { echo "the lock stayed after a normal close"; exit 1; }
echo "second copy refused, nothing written; a killed copy's lock was taken over"
