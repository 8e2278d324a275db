# Helpers for end-to-end scenarios; sourced by run.sh. A scenario sees:
#   WINEPREFIX, DRIVE_C (unix path of C:), PROGRAM_DIR (unix path of the program's folder),
#   SCENARIO_DIR (its own folder), E2E_DIR (this folder), ARTIFACTS (a folder kept after the run)
# and the functions below. Failures are counted, not fatal, so one run reports them all.

E2E_FAILURES=0

fail() {
  echo "    FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

assert_eq() {  # expected actual what
  if [[ "$1" != "$2" ]]; then fail "$3: expected [$1], got [$2]"; fi
}

# Unix path of a Windows path in the prefix ("C:\Users\x" -> $DRIVE_C/Users/x).
unix_path() {
  local path="${1#[Cc]:}"
  path="${path//\\//}"
  echo "$DRIVE_C$path"
}

assert_exists() { [[ -e "$(unix_path "$1")" ]] || fail "missing: $1"; }
assert_missing() { [[ ! -e "$(unix_path "$1")" ]] || fail "still there: $1"; }

# Makes a file (and its folders) in the prefix: make_file 'C:\dir\a.txt' [content]
make_file() {
  local target
  target="$(unix_path "$1")"
  mkdir -p "$(dirname "$target")"
  printf '%s' "${2:-trace}" >"$target"
}

# Imports a .reg file (REGEDIT4 or Windows Registry Editor 5.00) into the prefix.
reg_import() {
  local windows_path
  windows_path="$(winepath -w "$1" 2>/dev/null)"
  wine regedit /S "$windows_path" >/dev/null 2>&1 || fail "regedit could not import $1"
}

# Registry reads go to the files wineserver saved; call after the program ended (run.sh waits).
reg_value() { python3 "$E2E_DIR/wine_reg.py" "$WINEPREFIX" value "$1" "$2"; }
reg_values() { python3 "$E2E_DIR/wine_reg.py" "$WINEPREFIX" values "$1"; }
reg_subkeys() { python3 "$E2E_DIR/wine_reg.py" "$WINEPREFIX" subkeys "$1"; }
reg_key_exists() { python3 "$E2E_DIR/wine_reg.py" "$WINEPREFIX" key "$1"; }

assert_reg_value() {  # key name expected(type:data)
  assert_eq "$3" "$(reg_value "$1" "$2" || echo '<missing>')" "$1\\$2"
}
assert_no_reg_value() {
  if reg_value "$1" "$2" >/dev/null; then fail "value still there: $1\\$2"; fi
}
assert_reg_key() { reg_key_exists "$1" || fail "key missing: $1"; }
assert_no_reg_key() { if reg_key_exists "$1"; then fail "key still there: $1"; fi; }

# Presses buttons and reads the window; see driver.cpp for the steps.
# Windows console output ends lines in CRLF; the checks compare plain lines.
driver() { wine "$DRIVER_EXE" "$@" | tr -d '\r'; }

# Seeds or lists the prefix's URL cache (see cache_tool.cpp).
cache_tool() { wine 'C:\scourix_cache_tool.exe' "$@" | tr -d '\r'; }

# The log file of this start (one per start; the newest), and its lines without stamps.
log_file() { ls -t "$PROGRAM_DIR"/*.txt 2>/dev/null | head -1; }
log_messages() {
  local file
  file="$(log_file)"
  [[ -n "$file" ]] || return 0
  sed -e 's/\r$//' -e 's/^\[[0-9]*:[0-9][0-9] [^]]*\] //' "$file"
}
