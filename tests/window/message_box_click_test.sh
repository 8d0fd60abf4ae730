#!/usr/bin/env bash
# A message box in a real window: a hysteresis of 96 % is refused when OK is
# clicked; the person clicks the box's OK button, the dialog is still open with the hysteresis
# to mend and has the keyboard again (also without a window manager), and Cancel then ends
# `ostrel setup` as cancelled, without writing anything.
#   message_box_click_test.sh OSTREL WORK_FOLDER
set -uo pipefail
source "$(dirname "$0")/person.sh"
begin_test "$@"
DOC=$WORK/new.tarvel

start_program "$OSTREL" setup "$DOC"
wait_window "Tarvel - Corvex"
CAPTION_WINDOW=$WINDOW
click_control 216        # Generate output when
click_control 212        # Hysteresis
press_key End
press_key BackSpace
type_text "96"
click_closing 1          # OK: refused, the box comes up over the dialog
settle "OK refused"
# The box opens as a second real window, the innermost one.
windows_open=$(awk -F'\t' '$1 == "window" { n++ } END { print n + 0 }' "$REPORT/windows.txt")
[ "$windows_open" = 2 ] || fail "no message box came up ($windows_open windows open)"
box_caption=$(awk -F'\t' '$1 == "window" { last = $6 } END { print last }' "$REPORT/windows.txt")
wait_window "$box_caption"
[ "$WINDOW" != "$CAPTION_WINDOW" ] || fail "the message box has no window of its own"
grep -q "^control	1	Button" <(awk -F'\t' -v w="$WINDOW" '$1 == "window" { inside = ($2 == w) } inside' "$REPORT/windows.txt") ||
    fail "the message box has no OK button"
click_closing 1          # the box's OK
wait_window "Tarvel - Corvex"
[ "$WINDOW" = "$CAPTION_WINDOW" ] || fail "the dialog did not stay open"
# The keys go to the dialog again, where the focus is: in the refused hysteresis.
press_key End BackSpace BackSpace
type_text "95"
hysteresis=$(awk -F'\t' -v w="$WINDOW" '$1 == "window" { inside = ($2 == w) }
                                       inside && $1 == "control" && $2 == 212 { print $9; exit }' \
    "$REPORT/windows.txt")
[ "$hysteresis" = 95 ] || fail "the keys typed after the message box did not reach the dialog"
click_closing 2          # Cancel
expect_exit 1
grep -q "^\[message box\]" "$REPORT/stdout" || fail "the message box was not printed"
grep -q "cancelled" "$REPORT/stderr" || fail "ostrel did not say it was cancelled: $(cat "$REPORT/stderr")"
[ ! -e "$DOC" ] || fail "a document was written"
echo "passed"
