# Shell helpers for a Wine prefix with scourix.exe in it; sourced by the end-to-end tests and
# the demo. The caller sets WINEPREFIX, DRIVE_C (unix path of C:), PROGRAM_DIR (unix path of
# the program's folder), DRIVER_EXE (unix path of the driver inside the prefix) and
# WINE_KIT (this folder), and puts the programs in place with install_kit.
# Problems are reported through `fail`, which counts them; a caller may define its own.

KIT_FAILURES=0
if ! declare -f fail >/dev/null; then
  fail() {
    echo "    FAIL: $*" >&2
    KIT_FAILURES=$((KIT_FAILURES + 1))
  }
fi

# Copies the program, the driver, the cache tool, the file holder and the link planter from a
# MinGW build into the prefix:
# install_kit BUILD_DIR
install_kit() {
  mkdir -p "$PROGRAM_DIR"
  cp "$1/src/main/scourix.exe" "$PROGRAM_DIR/scourix.exe"
  cp "$1/src/main/scourix-cli.exe" "$PROGRAM_DIR/scourix-cli.exe"
  cp "$1/tools/wine/scourix_driver.exe" "$DRIVER_EXE"
  cp "$1/tools/wine/scourix_cache_tool.exe" "$DRIVE_C/scourix_cache_tool.exe"
  cp "$1/tools/wine/scourix_hold_file.exe" "$DRIVE_C/scourix_hold_file.exe"
  cp "$1/tools/wine/scourix_reg_link.exe" "$DRIVE_C/scourix_reg_link.exe"
}

# The program's own lists of its targets, printed from its catalogue by a MinGW build's
# scourix_readme_targets.exe, into DIR: status_lines.tsv ("checked" or "unchecked", a tab, the
# status line) and census_keys.tsv (caption, then each registry key of its steps), in run
# order. target_lists BUILD_DIR DIR
target_lists() {
  local tool="$1/tools/readme_targets/scourix_readme_targets.exe" mode
  mkdir -p "$2"
  for mode in status_lines census_keys; do
    wine "$tool" "--${mode/_/-}" | tr -d '\r' >"$2/$mode.tsv"
    [[ -s "$2/$mode.tsv" ]] || fail "the program's list $mode could not be written"
  done
}

# Runs the program until it ends, started from its own folder as a shortcut would start it:
# the current drive is then C:, not the Unix root that Wine maps the caller's folder to.
run_program() { (cd "$PROGRAM_DIR" && exec wine 'C:\Program Files\Scourix\scourix.exe'); }

# Unix path of a Windows path in the prefix ("C:\Users\x" -> $DRIVE_C/Users/x).
unix_path() {
  local path="${1#[Cc]:}"
  path="${path//\\//}"
  echo "$DRIVE_C$path"
}

# Makes a file (and its folders) in the prefix: make_file 'C:\dir\a.txt' [content]
make_file() {
  local target
  target="$(unix_path "$1")"
  mkdir -p "$(dirname "$target")"
  printf '%s' "${2:-trace}" >"$target"
}

# Imports a .reg file (REGEDIT4 or Windows Registry Editor 5.00) into the prefix.
# On a loaded machine a first try has failed once in a run that then passed alone; the
# import is idempotent, so it is tried a second time, and what the first said is shown.
reg_import() {
  local windows_path output try
  for try in 1 2; do
    windows_path="$(winepath -w "$1" 2>/dev/null)"
    if output=$(wine regedit /S "$windows_path" 2>&1); then return 0; fi
    echo "    note: regedit import of $1 failed (try $try): ${output:0:300}" >&2
    sleep 2
  done
  fail "regedit could not import $1"
}

# Registry reads go to the files wineserver saved; call after the program ended.
reg_value() { python3 "$WINE_KIT/wine_reg.py" "$WINEPREFIX" value "$1" "$2"; }
reg_values() { python3 "$WINE_KIT/wine_reg.py" "$WINEPREFIX" values "$1"; }
reg_subkeys() { python3 "$WINE_KIT/wine_reg.py" "$WINEPREFIX" subkeys "$1"; }
reg_key_exists() { python3 "$WINE_KIT/wine_reg.py" "$WINEPREFIX" key "$1"; }

# Waits until the prefix's server has ended, which it does a moment after its last program. A
# program that hangs would hold that up for ever, and with it the whole test run; after LIMIT
# seconds (180 unless given) the server and its programs are killed and the wait fails.
# wine_settle [LIMIT]
wine_settle() {
  local limit="${1:-180}"
  if timeout "$limit" wineserver -w; then return 0; fi
  fail "Wine programs still running after $limit s; they and the prefix's server were killed"
  wineserver -k 2>/dev/null
  return 1
}

# Presses buttons and reads the window; see driver.cpp for the steps. Every step has its own
# limit; the outer one only stops a driver that hangs in Wine itself.
# Windows console output ends lines in CRLF; the checks compare plain lines.
driver() { timeout 900 wine "$DRIVER_EXE" "$@" | tr -d '\r'; }

# Holds a file open, sharing nothing, until a second file appears (see hold_file.cpp). Its
# output is not piped: a pipe would keep "held" back until the holder ends.
hold_file() { wine 'C:\scourix_hold_file.exe' "$@"; }

# Plants or checks a registry link to a canary key (see reg_link.cpp).
reg_link() { wine 'C:\scourix_reg_link.exe' "$@" | tr -d '\r'; }

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
