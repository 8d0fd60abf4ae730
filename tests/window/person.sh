# A person at a real X display, for the real-window tests: starts a program whose dialogs
# open as real windows, finds what it shows from the program's own window report
# (TARVEL_SCREEN_REPORT), and clicks and types with real input events (xdotool). Every
# click position comes from a control's rectangle in the report, never from typed numbers.
# Sourced by the tests; they run under xvfb-run.

PROGRAM_PID=

# A test's arguments: the ostrel to run and a folder of its own, emptied (OSTREL, WORK; the
# window report goes to REPORT inside it). Scripts that are no test set WORK and REPORT.
begin_test() {
    OSTREL=${1:?the test takes the ostrel to run}
    WORK=${2:?and a folder to work in}
    REPORT=$WORK/report
    rm -rf "$WORK" && mkdir -p "$WORK"
}

fail() {
    echo "FAILED: $*" >&2
    if [ -f "$REPORT/windows.txt" ]; then
        echo "--- what the screen showed last:" >&2
        cat "$REPORT/windows.txt" >&2
    fi
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    exit 1
}

# Starts "$@" in the background with the report switched on.
start_program() {
    : "${REPORT:?REPORT names the folder for the window report}"
    rm -rf "$REPORT"
    mkdir -p "$REPORT"
    TARVEL_SCREEN_REPORT=$REPORT "$@" >"$REPORT/stdout" 2>"$REPORT/stderr" &
    PROGRAM_PID=$!
}

# Waits until the innermost window shows CAPTION and sets WINDOW (its X id) and FRAMES.
wait_window() {
    local caption=$1 tries=0
    while :; do
        if [ -f "$REPORT/windows.txt" ]; then
            local line
            line=$(awk -F'\t' '$1 == "window" { last = $0 } END { print last }' "$REPORT/windows.txt")
            if [ "$(cut -f6- <<<"$line")" = "$caption" ]; then
                WINDOW=$(cut -f2 <<<"$line")
                FRAMES=$(cut -f3 <<<"$line")
                return 0
            fi
        fi
        kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended before \"$caption\" came up"
        tries=$((tries + 1))
        [ $tries -gt 600 ] && fail "no window \"$caption\" within 30 s"
        sleep 0.05
    done
}

# The frames the window WINDOW has shown so far.
frames_now() {
    awk -F'\t' -v w="$WINDOW" '$1 == "window" && $2 == w { print $3 }' "$REPORT/windows.txt"
}

# Waits until the program has handled every input sent so far and the frames it brought are
# on the screen and in the report: a settle request goes to the window through the X server,
# behind that input, and the program answers in its report once a pass over its windows shows
# nothing new. Sets FRAMES (the window WINDOW's frames so far) and TIMERS (the timers still
# set: 0 when nothing more will be drawn until the next input).
SETTLE_SERIAL=0
settle() {
    local tries=0 answer
    SETTLE_SERIAL=$((SETTLE_SERIAL + 1))
    "${WINDOW_REQUEST:?the test sets WINDOW_REQUEST}" "$WINDOW" settle "$SETTLE_SERIAL" ||
        fail "could not ask the window to settle after: $1"
    while :; do
        answer=$(awk -F'\t' -v n="$SETTLE_SERIAL" '$1 == "settled" && $2 == n { print $3 }' \
            "$REPORT/windows.txt")
        [ -n "$answer" ] && break
        kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended after: $1"
        tries=$((tries + 1))
        [ $tries -gt 600 ] && fail "the window did not settle within 30 s after: $1"
        sleep 0.05
    done
    TIMERS=$answer
    FRAMES=$(frames_now)
}

# Waits until the program has handled the input sent so far (settle), which must have shown
# a new frame of the window WINDOW.
wait_frame() {
    local before=$FRAMES
    settle "$1"
    [ -n "$FRAMES" ] && [ "$FRAMES" -gt "$before" ] ||
        fail "the window showed no new frame after: $1"
}

# The middle of a line of the report (the first whose fields match the awk condition),
# relative to the window; fields 4..7 of controls, 4..7 of tabs, 3..6 of entries.
middle_of() {
    local condition=$1 first=$2
    awk -F'\t' -v w="$WINDOW" -v f="$first" '
        $1 == "window" { inside = ($2 == w) }
        inside && ('"$condition"') {
            printf "%d %d\n", ($(f) + $(f + 2)) / 2, ($(f + 1) + $(f + 3)) / 2; exit
        }' "$REPORT/windows.txt"
}

# Clicks the middle of the first report line that matches and waits for the window to show
# the result (unless the click ends the window: CLICK_ENDS=1); names what it clicks for errors.
click_on() {
    local what=$1 condition=$2 first=$3 point
    point=$(middle_of "$condition" "$first")
    [ -n "$point" ] || fail "nothing to click for $what"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$WINDOW" $point click 1 || fail "xdotool could not click $what"
    [ "${CLICK_ENDS:-0}" = 1 ] || wait_frame "a click on $what"
}
click_control() { click_on "control $1" '$1 == "control" && $2 == '"$1" 4; }
# What the report says of a control besides its text: state_of ID focus | checked | default |
# position | selected.
state_of() {
    awk -F'\t' -v w="$WINDOW" -v id="$1" -v what="$2" '$1 == "window" { inside = ($2 == w) }
        inside && $1 == "state" && $2 == id && $3 == what { print $4; exit }' "$REPORT/windows.txt"
}
# Moves the mouse onto the middle of a control, does xdotool's actions there (a double click:
# click --repeat 2 1; the wheel turned back a notch: click 5) and waits for the result.
on_control() {
    local id=$1 point
    shift
    point=$(middle_of '$1 == "control" && $2 == '"$id" 4)
    [ -n "$point" ] || fail "no control $id to act on"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$WINDOW" $point "$@" || fail "xdotool could not act on control $id"
    wait_frame "$* on control $id"
}
# Rests the mouse on the middle of a control.
hover_control() {
    local point
    point=$(middle_of '$1 == "control" && $2 == '"$1" 4)
    [ -n "$point" ] || fail "nothing to hover over for control $1"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$WINDOW" $point || fail "xdotool could not move the mouse"
}

# Waits until a pop-up is shown over the window WINDOW; prints its line of the report.
wait_popup() {
    local tries=0 line
    while :; do
        line=$(awk -F'\t' -v w="$WINDOW" '$1 == "window" { inside = ($2 == w) }
                                           inside && $1 == "popup" { print; exit }' \
            "$REPORT/windows.txt")
        [ -n "$line" ] && { echo "$line"; return 0; }
        tries=$((tries + 1))
        [ $tries -gt 200 ] && fail "no pop-up within 10 s after: $1"
        sleep 0.05
    done
}

# A click on a control that closes its window (OK, Cancel, a message box's button).
click_closing() { CLICK_ENDS=1 click_control "$1"; }
click_tab() { click_on "tab \"$1\"" '$1 == "tab" && $8 == "'"$1"'"' 4; }
click_entry() { click_on "entry \"$1\"" '$1 == "entry" && $7 == "'"$1"'"' 3; }

# Types text, then presses keys, into the window under the mouse (the focused control).
type_text() {
    xdotool type --delay 20 -- "$1" || fail "xdotool could not type \"$1\""
    wait_frame "typing \"$1\""
}
press_key() {
    xdotool key "$@" || fail "xdotool could not press $*"
}

# Waits for the program to end and checks its exit code.
expect_exit() {
    local expected=$1 code tries=0
    while kill -0 "$PROGRAM_PID" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -gt 600 ] && fail "the program did not end within 30 s"
        sleep 0.05
    done
    code=0
    wait "$PROGRAM_PID" || code=$?
    PROGRAM_PID=
    [ "$code" = "$expected" ] || {
        cat "$REPORT/stdout" "$REPORT/stderr" >&2
        fail "exit code $code, expected $expected"
    }
}
