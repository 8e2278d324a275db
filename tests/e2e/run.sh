#!/usr/bin/env bash
# End-to-end tier: the real scourix.exe under Wine (needs a display: run under xvfb-run).
#   tests/e2e/run.sh BUILD_DIR [SCENARIO...]
# Each scenario is a folder tests/e2e/scenarios/<name>/ with a scenario.sh defining
#   seed    (optional) put traces and keeps into the fresh prefix
#   drive   press buttons through `driver`; the program must have ended when it returns
#   verify  check the registry, files and log with the lib.sh helpers
# Every scenario gets its own copy of a freshly booted template prefix.
set -uo pipefail

E2E_DIR="$(cd "$(dirname "$0")" && pwd)"
WINE_KIT="$(cd "$E2E_DIR/../../tools/wine" && pwd)"
BUILD_DIR="$(cd "$1" && pwd)"
shift
WORK="$BUILD_DIR/e2e"
TEMPLATE="$WORK/template"
TARGET_LISTS="$WORK/target-lists"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" E2E_DIR WINE_KIT TARGET_LISTS

mkdir -p "$WORK"
if [[ ! -f "$TEMPLATE/system.reg" ]]; then
  echo "e2e: booting a template Wine prefix"
  rm -rf "$TEMPLATE"
  WINEPREFIX="$TEMPLATE" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$TEMPLATE" wineserver -w
fi
# The status lines and registry keys of the targets, as this build's catalogue has them.
rm -rf "$TARGET_LISTS"
if ! (
  # shellcheck source=/dev/null
  source "$WINE_KIT/prefix.sh"
  WINEPREFIX="$TEMPLATE" target_lists "$BUILD_DIR" "$TARGET_LISTS"
  WINEPREFIX="$TEMPLATE" wineserver -w
  exit $((KIT_FAILURES > 0))
); then
  echo "e2e: the program's lists of targets could not be written" >&2
  exit 1
fi

scenarios=("$@")
if [[ ${#scenarios[@]} -eq 0 ]]; then
  for dir in "$E2E_DIR"/scenarios/*/; do scenarios+=("$(basename "$dir")"); done
fi

total_failures=0
for name in "${scenarios[@]}"; do
  SCENARIO_DIR="$E2E_DIR/scenarios/$name"
  export WINEPREFIX="$WORK/prefix-$name"
  ARTIFACTS="$WORK/artifacts/$name"
  rm -rf "$WINEPREFIX" "$ARTIFACTS"
  mkdir -p "$ARTIFACTS"
  cp -a --reflink=auto "$TEMPLATE" "$WINEPREFIX"
  DRIVE_C="$WINEPREFIX/drive_c"
  PROGRAM_DIR="$DRIVE_C/Program Files/Scourix"
  DRIVER_EXE="$DRIVE_C/scourix_driver.exe"

  echo "e2e: $name"
  (
    # shellcheck source=/dev/null
    source "$E2E_DIR/lib.sh"
    install_kit "$BUILD_DIR"
    # shellcheck source=/dev/null
    source "$SCENARIO_DIR/scenario.sh"
    if declare -f seed >/dev/null; then seed; fi
    wineserver -w
    run_program >"$ARTIFACTS/program.out" 2>&1 &
    program=$!
    drive >"$ARTIFACTS/driver.out" 2>&1 || fail "driver steps failed: $(tail -3 "$ARTIFACTS/driver.out")"
    if ! timeout 60 tail --pid=$program -f /dev/null; then
      fail "the program did not end"
      kill $program 2>/dev/null
    fi
    wineserver -w  # saves the registry files that verify reads
    verify
    cp "$(log_file)" "$ARTIFACTS/" 2>/dev/null
    if ((E2E_FAILURES > 0)); then
      echo "    $E2E_FAILURES failure(s); artifacts in $ARTIFACTS"
    fi
    exit $((E2E_FAILURES > 0))
  )
  failed=$?
  total_failures=$((total_failures + failed))
  # A check may have started the prefix's server again; stop it before its files go. A failed
  # scenario's prefix is kept for a look.
  wineserver -k 2>/dev/null
  if ((failed == 0)); then rm -rf "$WINEPREFIX"; fi
done

echo "e2e: ${#scenarios[@]} scenario(s), $total_failures failed"
exit $((total_failures > 0))
