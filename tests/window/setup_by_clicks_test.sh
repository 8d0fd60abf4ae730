#!/usr/bin/env bash
# A person sets up output 2 in the real window of `ostrel setup` (after reading the help
# button's tooltip, inside the window): the second output's tab,
# "Generate output when", Input 3 from the dropped list, a level of 2.5 typed in, OK. The
# saved document holds exactly that and programs the device as the same text applied does;
# the X screen shows the toolkit's own pixels of the dialog.
#   setup_by_clicks_test.sh OSTREL WORK_FOLDER
set -uo pipefail
source "$(dirname "$0")/person.sh"
begin_test "$@"
DOC=$WORK/chosen.tarvel

start_program "$OSTREL" setup "$DOC"
wait_window "Tarvel - Corvex"

# The help button's tooltip comes up on the real clock, inside the window where it can be read.
hover_control 9
tip=$(wait_popup "resting the mouse on the help button")
size=$(awk -F'\t' -v w="$WINDOW" '$1 == "window" && $2 == w { print $4, $5 }' "$REPORT/windows.txt")
read -r left top right bottom <<<"$(cut -f3-6 <<<"$tip" | tr '\t' ' ')"
read -r width height <<<"$size"
[ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le "$width" ] && [ "$bottom" -le "$height" ] ||
    fail "the tooltip ($left,$top)-($right,$bottom) reaches out of the window (${width}x$height)"
click_tab "2"
click_control 216        # Generate output when
click_control 204        # the input of the first condition: its list drops down
click_entry "Input 3"
click_control 207        # the level: the caret goes to the end of "0"
press_key End
press_key BackSpace
type_text "2.5"
press_key Tab
wait_frame "Tab out of the level"

# The screen shows what the toolkit painted, pixel for pixel, once the window is still: its
# input handled, its last frame on the screen and in the report, and no timer left to draw.
[ "$TIMERS" = 0 ] || fail "the window is not still: $TIMERS timers are set"
cp "$REPORT/window-$WINDOW.png" "$WORK/frame.png"
import -window "$WINDOW" "$WORK/screen.png" || fail "import could not take a screenshot"
differing=$(compare -metric AE "$WORK/screen.png" "$WORK/frame.png" null: 2>&1)
[ "$differing" = "0" ] || fail "the screenshot differs from the toolkit's frame in $differing pixels"

click_closing 1          # OK
expect_exit 0

# Output 2 holds what was chosen, and nothing else changed.
"$OSTREL" open "$DOC" >"$WORK/opened.txt" || fail "the saved document does not open"
awk '/Output = 2$/ { found = 1 } found { print } /EndOnlineEvent$/ && found { exit }' \
    "$WORK/opened.txt" | sed 's/^ *//' >"$WORK/output2.txt"
for expected in "On = 1" "Input = 2" "Above = 1" "Level = 25" "Hysteresis = 5" "RuleCount = 1"; do
    grep -qx "$expected" "$WORK/output2.txt" || fail "output 2 lacks \"$expected\": $(cat "$WORK/output2.txt")"
done
[ "$(grep -c '^ *On = 1$' "$WORK/opened.txt")" = 1 ] || fail "another output was switched on"

# The blocks are those of the same choice written as a text (the outputs it leaves out stay
# off).
cat >"$WORK/expected.txt" <<'TEXT'
Version = 1
AnalogOutputCount = 2
DigitalOutputCount = 0
BeginOnlineEvent
Version = 1
Output = 1
On = 0
PulseDuration = 0.001
PulseDelay = 0
RetriggerHoldoffTime = 0
LimitedDuration = 0
LimitedNumPulses = 0
RetriggerHoldoff = 0
PulseNumLimit = 1
All = 1
RuleCount = 0
EndOnlineEvent
BeginOnlineEvent
Version = 1
Output = 2
On = 1
PulseDuration = 0.001
PulseDelay = 0
RetriggerHoldoffTime = 0
LimitedDuration = 0
LimitedNumPulses = 0
RetriggerHoldoff = 0
PulseNumLimit = 1
All = 1
RuleCount = 1
BeginOnlineEventRule
Version = 1
Input = 2
Above = 1
Hysteresis = 5
Level = 25
EndOnlineEventRule
EndOnlineEvent
TEXT
"$OSTREL" open "$DOC" --hex | grep -E '^[0-9a-f]{224}$' >"$WORK/saved-blocks.txt"
"$OSTREL" apply "$WORK/expected.txt" --hex | grep -E '^[0-9a-f]{224}$' >"$WORK/expected-blocks.txt"
[ -s "$WORK/saved-blocks.txt" ] || fail "the saved document programmed no blocks"
diff "$WORK/expected-blocks.txt" "$WORK/saved-blocks.txt" >&2 || fail "the blocks differ"
echo "passed"
