#!/usr/bin/env bash
# Installs the build into a folder of its own and uses it: ostrel from bin/ loads the
# libraries installed beside it and programs the device, its manual page is there and tells
# the commands, its bash completion is where bash looks for it; with PYTHON, the interpreter
# finds the module through the .pth file in SITE (under the prefix) and programs the device.
#   install_test.sh CMAKE BUILD_FOLDER INSTALL_FOLDER EXAMPLES [PYTHON SITE]
set -euo pipefail
cmake=$1 build=$2 prefix=$3 examples=$4 python=${5:-} site=${6:-}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

"$prefix/bin/ostrel" --version | grep -q '^ostrel (Tarvel) ' || fail "ostrel --version"
"$prefix/bin/ostrel" apply "$examples/demo.txt" |
    grep -q "the device took all 10 command blocks" ||
    fail "the installed ostrel did not program the device"

man=$prefix/share/man/man1/ostrel.1
grep -q '^\.TH OSTREL "1"' "$man" || fail "no manual page in section 1 at $man"
grep -q 'preview CONFIG|DOC' "$man" || fail "the manual page does not tell the preview"
[ -f "$prefix/share/bash-completion/completions/ostrel" ] || fail "no bash completion"

if [ -n "$python" ]; then
    # The user's site as Python reads it, away from the build's own folder.
    (cd / && PYTHONDONTWRITEBYTECODE=1 "$python" -c "
import site, sys
site.addsitedir('$prefix/$site')
import tarvel
dev = tarvel.Device()
programmed = dev.program(tarvel.Configuration.from_file('$examples/demo.txt'))
sys.exit(len(programmed) != 10 or not all(o['accepted'] for o in programmed))") ||
        fail "the installed module does not program the device from $python"
fi
echo "passed"
