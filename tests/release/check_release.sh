#!/usr/bin/env bash
# Checks a release zip as a user would meet it: exactly the program, the README and the
# licence; a 64-bit Windows GUI program that imports only system DLLs; and, unpacked into a
# fresh Wine prefix, a program that starts, shows its window with its 37 boxes, and closes.
# Needs a display: run under xvfb-run.
#   tests/release/check_release.sh ZIP [BUILD_DIR]    (BUILD_DIR holds the e2e driver)
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
ZIP="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
BUILD_DIR="$(cd "${2:-$ROOT/build/mingw}" && pwd)"
WORK="$ROOT/build/release/check"
TEMPLATE="$ROOT/build/release/template"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

failures=0
fail() {
  echo "release: FAIL: $*"
  failures=$((failures + 1))
}

# Contents, and the program's header: PE32+ for x86-64 (machine 0x8664), GUI subsystem (2).
rm -rf "$WORK"
mkdir -p "$WORK/unpacked"
python3 - "$ZIP" "$WORK/unpacked" <<'PY' || fail "contents or program header"
import struct, sys, zipfile
zip_path, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(zip_path) as archive:
    names = sorted(archive.namelist())
    if names != ["LICENSE", "README.md", "scourix.exe"]:
        sys.exit(f"zip holds {names}")
    archive.extractall(target)
exe = open(f"{target}/scourix.exe", "rb").read()
pe = struct.unpack_from("<I", exe, 0x3C)[0]
machine = struct.unpack_from("<H", exe, pe + 4)[0]
magic, = struct.unpack_from("<H", exe, pe + 24)
subsystem, = struct.unpack_from("<H", exe, pe + 24 + 68)
if exe[pe:pe + 4] != b"PE\0\0" or machine != 0x8664 or magic != 0x20B or subsystem != 2:
    sys.exit(f"not a 64-bit GUI program: machine {machine:#x}, magic {magic:#x}, subsystem {subsystem}")
PY
grep -q "MIT License" "$WORK/unpacked/LICENSE" || fail "LICENSE is not the MIT licence"
# Nothing more can be said of a zip that lacks its files.
((failures == 0)) || exit 1
bash "$ROOT/tests/e2e/check_imports.sh" "$WORK/unpacked/scourix.exe" || fail "imports"

# A copy of a freshly booted prefix: the end-to-end tier's when it has booted one.
if [[ -f "$BUILD_DIR/e2e/template/system.reg" ]]; then
  TEMPLATE="$BUILD_DIR/e2e/template"
elif [[ ! -f "$TEMPLATE/system.reg" ]]; then
  echo "release: booting a template Wine prefix"
  rm -rf "$TEMPLATE"
  WINEPREFIX="$TEMPLATE" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$TEMPLATE" wineserver -w
fi
export WINEPREFIX="$WORK/prefix"
cp -a --reflink=auto "$TEMPLATE" "$WINEPREFIX"
program_dir="$WINEPREFIX/drive_c/Program Files/Scourix"
mkdir -p "$program_dir"
cp "$WORK/unpacked/scourix.exe" "$program_dir/"
cp "$BUILD_DIR/tools/wine/scourix_driver.exe" "$WINEPREFIX/drive_c/"

# Started from its own folder, as a shortcut would.
(cd "$program_dir" && exec wine "C:\\Program Files\\Scourix\\scourix.exe") >"$WORK/program.out" 2>&1 &
program=$!
boxes="$(wine "C:\\scourix_driver.exe" wait boxes close 2>"$WORK/driver.err" | tr -d '\r')" ||
  fail "the window did not show or close: $(tail -3 "$WORK/driver.err")"
count="$(grep -c $'\t' <<<"$boxes")"
[[ "$count" -eq 37 ]] || fail "the window shows $count check boxes, not 37"
if ! timeout 60 tail --pid=$program -f /dev/null; then
  fail "the program did not end"
  kill $program 2>/dev/null
fi

# The program logs beside itself: its first and last lines show a clean start and close.
logs=("$program_dir"/*.txt)
messages="$(sed -e 's/\r$//' -e 's/^\[[^]]*\] //' "${logs[0]}" 2>/dev/null)"
[[ ${#logs[@]} -eq 1 ]] || fail "one start wrote ${#logs[@]} log files"
[[ "$messages" == $'Scourix Initialized.\nScourix Decommissioned.' ]] ||
  fail "log of the start and close: '${messages}'"

wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
if ((failures > 0)); then
  echo "release: $failures failure(s); artifacts in $WORK"
  exit 1
fi
echo "release: $(basename "$ZIP") unpacks, starts under Wine, shows its window and closes"
