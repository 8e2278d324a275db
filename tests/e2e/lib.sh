# Assertions for end-to-end scenarios; sourced by run.sh. A scenario sees:
#   WINEPREFIX, DRIVE_C (unix path of C:), PROGRAM_DIR (unix path of the program's folder),
#   SCENARIO_DIR (its own folder), E2E_DIR (this folder), WINE_KIT (tools/wine), ARTIFACTS (a
#   folder kept after the run), TARGET_LISTS (the program's own lists of its targets, written by
#   target_lists before the scenarios run), the prefix helpers of tools/wine/prefix.sh (make_file,
#   reg_import, reg_value, driver, cache_tool, log_messages...) and the functions below.
# Failures are counted, not fatal, so one run reports them all.

E2E_FAILURES=0

fail() {
  echo "    FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

assert_eq() {  # expected actual what
  if [[ "$1" != "$2" ]]; then fail "$3: expected [$1], got [$2]"; fi
}

assert_exists() { [[ -e "$(unix_path "$1")" ]] || fail "missing: $1"; }
assert_missing() { [[ ! -e "$(unix_path "$1")" ]] || fail "still there: $1"; }

assert_reg_value() {  # key name expected(type:data)
  assert_eq "$3" "$(reg_value "$1" "$2" || echo '<missing>')" "$1\\$2"
}
assert_no_reg_value() {
  if reg_value "$1" "$2" >/dev/null; then fail "value still there: $1\\$2"; fi
}
assert_reg_key() { reg_key_exists "$1" || fail "key missing: $1"; }
assert_no_reg_key() { if reg_key_exists "$1"; then fail "key still there: $1"; fi; }

# The log a run must write: expected_log all|checked gives the start line, the status lines of
# every target (or of the boxes checked at start) in run order, and the closing lines.
expected_log() {
  echo "Scourix Initialized."
  echo "Scour started."
  awk -F'\t' -v which="$1" 'which == "all" || $1 == which { print $2 }' \
    "$TARGET_LISTS/status_lines.tsv"
  echo "Finished in N seconds."
  echo "Scourix Decommissioned."
}
# The log's lines with the elapsed seconds written as N.
run_log() { log_messages | sed 's/^Finished in [0-9]* seconds\.$/Finished in N seconds./'; }

# shellcheck source=/dev/null
source "$WINE_KIT/prefix.sh"

