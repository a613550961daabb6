# Shared by the end-to-end scripts: an Xvfb display of their own and the
# program started on it from a scratch program folder ($work, removed at
# exit with whatever was started). Source it after setting $program (the
# executable); the scripts skip (77) when Xvfb or xdotool is missing.
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

# Starts the program in the background ($app, output in $work/$1.log).
launch() {
    # exec: $app is the program itself, so a kill reaches it.
    (cd "$work" && LANG=C LC_ALL=C QT_QPA_PLATFORM=xcb exec ./torven >"$work/$1.log" 2>&1) &
    app=$!
}

# Starts the program and waits for its main window ($window).
start_program() {
    launch torven
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

# The first X client on a freshly installed machine has been seen to die
# before showing anything; that start is logged and the whole display is
# brought up once more.
start_display_and_program() {
    if ! { start_display && start_program; }; then
        kill "$app" "$xvfb" 2>/dev/null || true
        wait 2>/dev/null || true
        rm -rf "$work/Veriler" "$work/GridAyarlari.ini"
        start_display
        start_program || exit 1
    fi
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

# Waits until the data set-up has run: the caption gets its suffix then.
wait_for_set_up() {
    for _ in $(seq 100); do
        caption=$(xdotool getwindowname "$window")
        [ "$caption" = "Selvora 1.4 - Çek Takip Programı" ] && return 0
        sleep 0.1
    done
    echo "caption: $caption"
    exit 1
}
