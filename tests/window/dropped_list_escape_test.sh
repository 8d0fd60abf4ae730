#!/usr/bin/env bash
# A person sets up output 2 in the real window of `ostrel setup` with what a desktop offers:
# Input 3 from the dropped list, a double click on the level to replace it, the wheel over the
# slider. The list dropped again closes on Escape, F4, Alt+Up and a click outside it, each
# time keeping the dialog; OK then saves every edit made before. What shows only in the window
# report's states (a tick, positions, the focus) and the help asked for are checked on the way.
#   dropped_list_escape_test.sh OSTREL WORK_FOLDER
set -uo pipefail
source "$(dirname "$0")/person.sh"
begin_test "$@"
DOC=$WORK/chosen.tarvel

start_program "$OSTREL" setup "$DOC"
wait_window "Tarvel - Corvex"
click_control 9                                # help
click_tab "2"
click_control 216                              # Generate output when
click_control 204                              # the input list drops down
click_entry "Input 3"
on_control 207 click --repeat 2 --delay 60 1   # the level's "0", selected
type_text "-2.5"
on_control 205 click --repeat 2 --delay 60 5   # two notches back: two steps right, -23 %
for way in Escape F4 alt+Up click; do
    click_control 204
    if [ "$way" = click ]; then
        click_control 252                      # "When", beside the list
    else
        press_key "$way"
        wait_frame "$way on the dropped list"
    fi
    popups=$(awk -F'\t' -v w="$WINDOW" '$1 == "window" { inside = ($2 == w) }
                                         inside && $1 == "popup"' "$REPORT/windows.txt")
    [ -z "$popups" ] || fail "$way left the list dropped: $popups"
done
[ "$(state_of 204 focus)" = 1 ] || fail "the list's box lost the focus"
click_closing 1                                # OK
expect_exit 0

grep -q "Help asked for: topic tvl_setup of TarvelHelp" "$REPORT/stdout" ||
    fail "ostrel did not say the help was asked for"
"$OSTREL" open "$DOC" >"$WORK/opened.txt" || fail "the saved document does not open"
awk '/Output = 2$/ { found = 1 } found { print } /EndOnlineEvent$/ && found { exit }' \
    "$WORK/opened.txt" | sed 's/^ *//' >"$WORK/output2.txt"
for expected in "On = 1" "Input = 2" "Level = -23" "RuleCount = 1"; do
    grep -qx "$expected" "$WORK/output2.txt" || fail "output 2 lacks \"$expected\": $(cat "$WORK/output2.txt")"
done
echo "passed"
