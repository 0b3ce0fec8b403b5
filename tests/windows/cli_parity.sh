#!/usr/bin/env bash
# The Windows kc40927-cli (under Wine) against the Linux one: over every
# configuration among the fixtures, `build` and `gsd` must end alike and
# write byte-identical bank.bin and GSD files.
#   cli_parity.sh LINUX_CLI WINDOWS_CLI FIXTURES_DIR
# Exits 77 (skipped) when the Linux build's CLI is not there.
set -u
linux_cli=$1
windows_cli=$2
fixtures=$3
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
if [ ! -x "$linux_cli" ]; then
  echo "no Linux kc40927-cli at $linux_cli: build the Linux tree first (scripts/test)"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/kc-cli-parity.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
compared=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for conf in $(find "$fixtures" -name ParGen.xml -printf '%h\n' | sort -u); do
  name=${conf#"$fixtures"/}
  for side in linux windows; do
    mkdir -p "$work/$side/$name"
    cp -r "$conf"/. "$work/$side/$name/"
    rm -rf "$work/$side/$name/bin"
  done
  "$linux_cli" build "$work/linux/$name" >/dev/null 2>&1
  linux_status=$?
  "$wine" "$windows_cli" build "Z:$work/windows/$name" >/dev/null 2>&1
  windows_status=$?
  [ "$linux_status" = "$windows_status" ] || fail "$name: build ends with $linux_status on Linux, $windows_status on Windows"
  if [ -f "$work/linux/$name/bin/bank.bin" ] || [ -f "$work/windows/$name/bin/bank.bin" ]; then
    cmp "$work/linux/$name/bin/bank.bin" "$work/windows/$name/bin/bank.bin" || fail "$name: bank.bin differs"
    compared=$((compared + 1))
  fi
  "$linux_cli" gsd "$work/linux/$name" "$work/linux/$name.gsd" >/dev/null 2>&1
  linux_status=$?
  "$wine" "$windows_cli" gsd "Z:$work/windows/$name" "Z:$work/windows/$name.gsd" >/dev/null 2>&1
  windows_status=$?
  [ "$linux_status" = "$windows_status" ] || fail "$name: gsd ends with $linux_status on Linux, $windows_status on Windows"
  if [ -f "$work/linux/$name.gsd" ] || [ -f "$work/windows/$name.gsd" ]; then
    cmp "$work/linux/$name.gsd" "$work/windows/$name.gsd" || fail "$name: the GSD file differs"
    compared=$((compared + 1))
  fi
  echo "$name: build and gsd alike"
done
if [ "$compared" = 0 ]; then
  fail "no configuration among the fixtures in $fixtures gave a file"
fi
echo "$compared files compared, $failures failures"
[ "$failures" = 0 ]
