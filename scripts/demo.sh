#!/usr/bin/env bash
# The demonstration behind scripts/run.sh when there is no display (runs under Xvfb).
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$build/demo"
export WINEPREFIX="$work/prefix"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
program_dir="$WINEPREFIX/drive_c/Program Files/Scourix"
mkdir -p "$program_dir"
cp "$build/src/platform/win32/scourix.exe" "$program_dir/"
cp "$build/tests/e2e/scourix_driver.exe" "$WINEPREFIX/drive_c/"

wine "C:\\Program Files\\Scourix\\scourix.exe" &
wine "C:\\scourix_driver.exe" wait press:"Check All" sleep:500 | tr -d '\r'
import -window root "$work/before.png"
wine "C:\\scourix_driver.exe" scour:300 | tr -d '\r'
import -window root "$work/after.png"
wine "C:\\scourix_driver.exe" close
wineserver -w
echo
echo "Log:"
cat "$program_dir"/*.txt | tr -d '\r'
echo
echo "Screenshots: $work/before.png $work/after.png"
