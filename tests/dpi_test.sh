#!/usr/bin/env bash
# The dialogs' texts fit at 100, 125, 150 and 200 % display scaling: the
# fit tests run once per scaling, each in a process started after the
# prefix's LogPixels was set. The prefix is put back to 96 at the end.
#   tests/dpi_test.sh WINDOWS_TESTS_EXE
set -euo pipefail
tests=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine=$root/scripts/wine
export WINEPREFIX=${LAUNCHER_WINEPREFIX:-$root/build/wineprefix}

set_dpi() {
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    # Wine's desktop process reads the scaling when it starts.
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
}
trap 'set_dpi 96' EXIT

passed=0
failed=0
for dpi in 96 120 144 192; do
    set_dpi "$dpi"
    if LAUNCHER_TEST_DPI=$dpi WINEDEBUG=-all "$wine" "$tests" --gtest_filter='DialogTextFit*' >"$WINEPREFIX.dpi.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "at $dpi DPI:" >&2
        grep -vE '^\[ +(RUN|OK) ' "$WINEPREFIX.dpi.log" >&2 || true
    fi
done
rm -f "$WINEPREFIX.dpi.log"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
