#!/usr/bin/env bash
# The demonstration behind scripts/run.sh when there is no display (runs under Xvfb): a
# throwaway Wine prefix seeded with traces for all 37 targets, "Check All", "Scour", then what
# each target found before and left after, the log, and a screenshot taken mid-run.
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$build/demo"
WINE_KIT="$(cd "$(dirname "$0")/../tools/wine" && pwd)"
export WINEPREFIX="$work/prefix"
ARTIFACTS="$work"
DRIVE_C="$WINEPREFIX/drive_c"
PROGRAM_DIR="$DRIVE_C/Program Files/Scourix"
DRIVER_EXE="$DRIVE_C/scourix_driver.exe"

wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$WINEPREFIX"
echo "Preparing a throwaway Windows machine in $WINEPREFIX ..."
wineboot -i >/dev/null 2>&1
timeout 300 wineserver -w || wineserver -k

# The prefix helpers count problems rather than stop.
set +e
# shellcheck source=/dev/null
source "$WINE_KIT/prefix.sh"
install_kit "$build"
TARGET_LISTS="$work/target-lists"
target_lists "$build" "$TARGET_LISTS"
# shellcheck source=/dev/null
source "$WINE_KIT/traces.sh"
echo "Planting traces for every target ..."
# Enough temporary files that the "Deleting - " lines stay on the label for a screenshot.
TEMP_FILES=10000
seed_traces
census "$work/before.tsv"

run_program >/dev/null 2>&1 &
driver wait press:"Check All" sleep:500 >/dev/null
import -window root "$work/checked.png"
driver scour:300 >/dev/null &
run=$!
# One screenshot while the label shows a "Deleting - " line of the temporary files: kept only
# when the label read so just before and just after it was taken. The long purge, because the
# few lines of a short step can give way to other steps' lines while the screen is read.
shot=""
purging() { [[ "$(driver status)" == "Deleting - "*'\Temp\'* ]]; }
while [[ -z "$shot" ]] && kill -0 "$run" 2>/dev/null; do
  purging || continue
  import -window root "$work/shot.png"
  if purging; then
    mv "$work/shot.png" "$work/deleting.png"
    shot="$work/deleting.png"
  fi
done
wait "$run"
import -window root "$work/finished.png"
driver close >/dev/null
wine_settle
census "$work/after.tsv"

echo
echo "Traces per target (\"Recent Documents\": Wine's shell keeps the Recent folder's files):"
python3 "$WINE_KIT/census.py" table "$work/before.tsv" "$work/after.tsv"
check_keeps
if ((KIT_FAILURES == 0)); then
  echo "Everything planted to stay (files beside the traces, a drive-root canary) is still there."
fi
echo
echo "Log ($(basename "$(log_file)")):"
tr -d '\r' <"$(log_file)"
echo
echo "Screenshots: ${shot:-(the run ended before a \"Deleting - \" line was caught)}"
echo "             $work/checked.png $work/finished.png"
