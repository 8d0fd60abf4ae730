#!/usr/bin/env bash
# A person changes things in the real window of `ostrel setup`, then leaves it with the
# close box, and again with Escape: each time ostrel exits 1 and the document stays as it
# was, byte for byte.
#   setup_cancel_test.sh OSTREL WORK_FOLDER
set -uo pipefail
source "$(dirname "$0")/person.sh"
begin_test "$@"
DOC=$WORK/kept.tarvel
"$OSTREL" save "$(dirname "$0")/../../examples/demo.txt" "$DOC" >/dev/null ||
    fail "cannot make the document"
cp "$DOC" "$WORK/before.tarvel"

for leave in close-box escape; do
    start_program "$OSTREL" setup "$DOC"
    wait_window "Tarvel - Corvex"
    click_tab "2"
    click_control 216    # Generate output when
    if [ "$leave" = close-box ]; then
        "${WINDOW_REQUEST:?the test sets WINDOW_REQUEST}" "$WINDOW" close ||
            fail "could not ask the window to close"
    else
        press_key Escape
    fi
    expect_exit 1
    grep -q "cancelled" "$REPORT/stderr" || fail "($leave) ostrel did not say it was cancelled"
    cmp -s "$DOC" "$WORK/before.tarvel" || fail "($leave) the document changed"
done
echo "passed"
