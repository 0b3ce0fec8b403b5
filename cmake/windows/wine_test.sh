#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest: wine_test.sh PROGRAM.exe [ARGS].
# Wine does not hand a console program's output to a pipe reliably, so the
# QtTest result goes to a file that is printed afterwards; the exit status is
# the program's. WINEPREFIX, DISPLAY and the rest come from scripts/windows.
set -u
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
program=$1
shift
result=$(mktemp "${TMPDIR:-/tmp}/kc-wine-test.XXXXXX")
trap 'rm -f "$result"' EXIT
# Wine does not hand environment variables named QT_... to the Windows
# process, so a test of windows gets the platform as Qt's argument.
platform=()
case "$(basename "$program" .exe)" in
*_dialog | *_dialogs | *_window | *_widget | *_delegate | *_gui) platform=(-platform "${QT_QPA_PLATFORM:-offscreen}") ;;
esac
case "$program" in
*/tst_*.exe) "$wine" "$program" "${platform[@]}" "$@" -o "Z:$result,txt" ;;
*) "$wine" "$program" "$@" ;;
esac
status=$?
[ -s "$result" ] && cat "$result"
exit $status
