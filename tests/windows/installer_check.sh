#!/usr/bin/env bash
# The Windows installer under Wine: a silent per-user installation, the
# installed configurator showing its main window (Wine's X11 driver on the
# display of DISPLAY), a configuration made with the installed kc40927-cli,
# and a silent uninstallation that removes the program and keeps that
# configuration and the settings.
#   installer_check.sh SETUP.exe FIXTURE_CONF [SCREENSHOT.xwd]
set -u
setup=$1
fixture=$2
screenshot=${3:-}
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
prefix=${WINEPREFIX:-$HOME/.wine}
target_win='C:\kc40927-installer-check'
target=$prefix/drive_c/kc40927-installer-check
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
rm -rf "$target"

"$wine" "$setup" /S "/D=$target_win"
status=$?
[ "$status" = 0 ] || fail "the silent installation ended with $status"
for f in kc40927-configurator.exe kc40927-cli.exe Ser_40927_Update.exe Ethernet_Update.exe Qt6Core.dll \
  Qt6Widgets.dll libstdc++-6.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll LANGUAGE/Deutsch.lng \
  kc40927.ico Uninstall.exe; do
  [ -f "$target/$f" ] || fail "$f is not installed"
done
[ -d "$target/MASTER" ] || fail "MASTER is not made"
links=$(find "$prefix/drive_c/users" -path '*Start Menu/Programs/KX40927 configurator.lnk' | wc -l)
[ "$links" -ge 1 ] || fail "no Start-menu entry"

# A configuration made between installing and uninstalling.
# Its bin folder is there, as the configurator makes it with a new configuration.
mkdir -p "$target/PROJECTS/Plant 1/bin"
cp -r "$fixture"/. "$target/PROJECTS/Plant 1/"
"$wine" "$target/kc40927-cli.exe" build "$target_win\\PROJECTS\\Plant 1" >/dev/null 2>&1 ||
  fail "the installed kc40927-cli cannot build the configuration"
[ -f "$target/PROJECTS/Plant 1/bin/bank.bin" ] || fail "no bank.bin from the installed kc40927-cli"

# The installed configurator on the X display with the windows platform.
QT_QPA_PLATFORM=windows "$wine" "$target/kc40927-configurator.exe" >/dev/null 2>&1 &
configurator=$!
shown=""
for _ in $(seq 120); do
  if xwininfo -root -tree 2>/dev/null | grep -q 'Configurator KC40927'; then
    shown=yes
    break
  fi
  sleep 0.5
done
if [ -n "$shown" ]; then
  sleep 2
  echo "main window: $(xwininfo -root -tree | grep 'Configurator KC40927' | head -1 | sed 's/^ *//')"
  if [ -n "$screenshot" ] && command -v xwd >/dev/null; then
    id=$(xwininfo -root -tree | grep 'Configurator KC40927' | head -1 | awk '{print $1}')
    xwd -silent -id "$id" -out "$screenshot" || fail "no screenshot"
  fi
else
  fail "the installed configurator shows no main window"
fi
kill "$configurator" 2>/dev/null
wait "$configurator" 2>/dev/null
"${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver64)}" -k 2>/dev/null
sleep 1
[ -f "$target/Struttor.xml" ] || echo "note: the configurator wrote no Struttor.xml (it was ended, not closed)"

"$wine" "$target/Uninstall.exe" /S "_?=$target_win"
status=$?
[ "$status" = 0 ] || fail "the silent uninstallation ended with $status"
for f in kc40927-configurator.exe kc40927-cli.exe Qt6Core.dll platforms/qwindows.dll LANGUAGE/Deutsch.lng; do
  [ ! -e "$target/$f" ] || fail "$f is left after uninstalling"
done
# _?= keeps the uninstaller in place; it is removed with the folder otherwise.
rm -f "$target/Uninstall.exe"
for f in "PROJECTS/Plant 1/sdo.xml" "PROJECTS/Plant 1/ParGen.xml" "PROJECTS/Plant 1/bin/bank.bin"; do
  [ -f "$target/$f" ] || fail "the configuration's $f is gone after uninstalling"
done
links=$(find "$prefix/drive_c/users" -path '*Start Menu/Programs/KX40927 configurator.lnk' | wc -l)
[ "$links" = 0 ] || fail "the Start-menu entry is left"
echo "left after uninstalling: $(cd "$target" && find . -type f | sort | tr '\n' ' ')"
rm -rf "$target"
[ "$failures" = 0 ] && echo "installer check passed"
[ "$failures" = 0 ]
