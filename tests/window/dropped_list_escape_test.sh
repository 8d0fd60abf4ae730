#!/usr/bin/env bash
# A person sets up output 2 in the real window of `ostrel setup` with what a desktop offers
# (Input 3 from the dropped list, a double click on the level to replace it, the wheel over
# the slider), then drops the list again and leaves it with Escape: the list closes, the
# dialog stays with the focus on the list's box, and OK saves every edit made before. What
# shows only in the window report's states (ticks, positions, the focus) and the help asked
# for are checked on the way.
#   dropped_list_escape_test.sh OSTREL WORK_FOLDER
set -uo pipefail
source "$(dirname "$0")/person.sh"
begin_test "$@"
DOC=$WORK/chosen.tarvel

start_program "$OSTREL" setup "$DOC"
wait_window "Tarvel - Corvex"
click_control 9                   # help: the host is asked for the dialog's topic
click_tab "2"
click_control 216                 # Generate output when
[ "$(state_of 216 checked)" = 1 ] || fail "Generate output when is not ticked"
click_control 204                 # the input of the first condition: its list drops down
click_entry "Input 3"
double_click_control 207          # the level's "0", selected
type_text "2.5"
wheel_over_control 205 down 2     # two steps of the slider to the right: 27 %
[ "$(state_of 205 position)" = 27 ] || fail "the slider is at $(state_of 205 position), not 27"
[ "$(state_of 208 position)" = 27 ] || fail "the level's arrows are not at 27"
click_control 204                 # the list drops down again
press_key Escape
wait_frame "Escape on the dropped list"
popups=$(awk -F'\t' -v w="$WINDOW" '$1 == "window" { inside = ($2 == w) } inside && $1 == "popup"' \
    "$REPORT/windows.txt")
[ -z "$popups" ] || fail "the list is still dropped: $popups"
[ "$(focused_control)" = 204 ] || fail "the focus is on $(focused_control), not on the list's box"
click_closing 1                   # OK
expect_exit 0

"$OSTREL" open "$DOC" >"$WORK/opened.txt" || fail "the saved document does not open"
awk '/Output = 2$/ { found = 1 } found { print } /EndOnlineEvent$/ && found { exit }' \
    "$WORK/opened.txt" | sed 's/^ *//' >"$WORK/output2.txt"
for expected in "On = 1" "Input = 2" "Level = 27" "RuleCount = 1"; do
    grep -qx "$expected" "$WORK/output2.txt" || fail "output 2 lacks \"$expected\": $(cat "$WORK/output2.txt")"
done
grep -q "Help asked for: topic tvl_setup of TarvelHelp" "$REPORT/stdout" ||
    fail "ostrel did not say the help was asked for: $(cat "$REPORT/stdout")"
echo "passed"
