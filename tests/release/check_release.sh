#!/usr/bin/env bash
# Checks a release zip as a user would meet it: exactly the two programs, the README and the
# licence; a Windows GUI program and a console one for the zip's machine (x86_64 or x86, from
# its name) that start on the oldest Windows they are built for, the window with its icon,
# manifest and version information; and, unpacked into a fresh Wine prefix, a program that
# starts, shows its window with its 37 boxes, and closes, and a command line that lists the
# 37 targets. The x86 program runs only where this machine can start
# a 32-bit Windows program; elsewhere one line says that the run was skipped and why.
# Needs a display: run under xvfb-run.
#   tests/release/check_release.sh ZIP [BUILD_DIR]    (BUILD_DIR holds the e2e driver)
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
ZIP="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
BUILD_DIR="$(cd "${2:-$ROOT/build/mingw}" && pwd)"
WORK="$ROOT/build/release/check"
TEMPLATE="$ROOT/build/release/template"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case "$ZIP" in
  *-x86_64.zip) machine=x86_64 manifest_arch=amd64 ;;
  *-x86.zip) machine=x86 manifest_arch=X86 ;;
  *)
    echo "release: FAIL: $(basename "$ZIP") names no machine (-x86_64.zip or -x86.zip)"
    exit 1
    ;;
esac

failures=0
fail() {
  echo "release: FAIL: $*"
  failures=$((failures + 1))
}

# Contents, and the program's header: machine, PE32 or PE32+, GUI subsystem (2).
rm -rf "$WORK"
mkdir -p "$WORK/unpacked"
python3 - "$ZIP" "$WORK/unpacked" "$machine" <<'PY' || fail "contents or program header"
import struct, sys, zipfile
zip_path, target, machine = sys.argv[1:]
with zipfile.ZipFile(zip_path) as archive:
    names = sorted(archive.namelist())
    if names != ["LICENSE", "README.md", "scourix-cli.exe", "scourix.exe"]:
        sys.exit(f"zip holds {names}")
    archive.extractall(target)
wanted = {"x86_64": (0x8664, 0x20B), "x86": (0x14C, 0x10B)}[machine]
for program, wanted_subsystem in (("scourix.exe", 2), ("scourix-cli.exe", 3)):
    exe = open(f"{target}/{program}", "rb").read()
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    actual = struct.unpack_from("<H", exe, pe + 4)[0]
    magic, = struct.unpack_from("<H", exe, pe + 24)
    subsystem, = struct.unpack_from("<H", exe, pe + 24 + 68)
    if exe[pe:pe + 4] != b"PE\0\0" or (actual, magic) != wanted or subsystem != wanted_subsystem:
        sys.exit(f"{program} is not an {machine} program of subsystem {wanted_subsystem}:"
                 f" machine {actual:#x}, magic {magic:#x}, subsystem {subsystem}")
PY
grep -q "MIT License" "$WORK/unpacked/LICENSE" || fail "LICENSE is not the MIT licence"
# Nothing more can be said of a zip that lacks its files.
((failures == 0)) || exit 1
for program in scourix scourix-cli; do
  bash "$ROOT/tests/e2e/check_imports.sh" "$WORK/unpacked/$program.exe" || fail "imports of $program"
done
sh "$ROOT/src/main/resources/check_resources.sh" "$WORK/unpacked/scourix.exe" \
  "$manifest_arch" || fail "resources"

# A copy of a freshly booted prefix: the end-to-end tier's when it has booted one.
if [[ -f "$BUILD_DIR/e2e/template/system.reg" ]]; then
  TEMPLATE="$BUILD_DIR/e2e/template"
elif [[ ! -f "$TEMPLATE/system.reg" ]]; then
  echo "release: booting a template Wine prefix"
  rm -rf "$TEMPLATE"
  WINEPREFIX="$TEMPLATE" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$TEMPLATE" timeout 300 wineserver -w || WINEPREFIX="$TEMPLATE" wineserver -k
fi
export WINEPREFIX="$WORK/prefix"
cp -a --reflink=auto "$TEMPLATE" "$WINEPREFIX"

# A 32-bit program runs only where Wine can start one: a tiny 32-bit probe must run first.
if [[ $machine == x86 ]]; then
  i686-w64-mingw32-gcc-win32 -O2 -nostdlib -nostartfiles -mconsole -o "$WORK/probe.exe" \
    "$ROOT/tests/e2e/floor_probe.c" -lkernel32
  wine "$WORK/probe.exe" >"$WORK/probe.out" 2>&1
  if [[ $? -ne 42 ]]; then
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    if ((failures > 0)); then
      echo "release: $failures failure(s); artifacts in $WORK"
      exit 1
    fi
    echo "release: $(basename "$ZIP") checked (contents, header, imports, resources) but not run:" \
      "Wine here cannot start a 32-bit program (a 32-bit probe said:" \
      "$(tr -d '\r' <"$WORK/probe.out" | grep -m1 . || echo nothing))"
    exit 0
  fi
fi
program_dir="$WINEPREFIX/drive_c/Program Files/Scourix"
mkdir -p "$program_dir"
cp "$WORK/unpacked/scourix.exe" "$WORK/unpacked/scourix-cli.exe" "$program_dir/"
cp "$BUILD_DIR/tools/wine/scourix_driver.exe" "$WINEPREFIX/drive_c/"

# Started from its own folder, as a shortcut would; shown, its boxes read and closed. A driver
# that fails is tried once more from a fresh start, as in the end-to-end runs: one of Wine or the
# display does not fail twice, a fault of the program does.
start_and_close() {
  rm -f "$program_dir"/*.txt
  (cd "$program_dir" && exec wine "C:\\Program Files\\Scourix\\scourix.exe") >"$WORK/program.out" 2>&1 &
  local program=$!
  boxes="$(timeout 300 wine "C:\\scourix_driver.exe" wait boxes close 2>"$WORK/driver.err" | tr -d '\r')"
  local status=$?
  if ! timeout 60 tail --pid=$program -f /dev/null; then
    echo "the program did not end" >>"$WORK/driver.err"
    wineserver -k 2>/dev/null
    return 1
  fi
  return $status
}
if ! start_and_close; then
  echo "release: the driver failed ($(tail -2 "$WORK/driver.err" | tr -d "\r" | paste -sd " ")); trying once more"
  start_and_close || fail "the window did not show or close: $(tail -3 "$WORK/driver.err")"
fi
count="$(grep -c $'\t' <<<"$boxes")"
[[ "$count" -eq 37 ]] || fail "the window shows $count check boxes, not 37"

# The program logs beside itself: its first and last lines show a clean start and close.
logs=("$program_dir"/*.txt)
messages="$(sed -e 's/\r$//' -e 's/^\[[^]]*\] //' "${logs[0]}" 2>/dev/null)"
[[ ${#logs[@]} -eq 1 ]] || fail "one start wrote ${#logs[@]} log files"
[[ "$messages" == $'Scourix Initialized.\nScourix Decommissioned.' ]] ||
  fail "log of the start and close: '${messages}'"

# The command line lists every target, one a line, and changes nothing by it.
listed="$(wine "C:\\Program Files\\Scourix\\scourix-cli.exe" list 2>"$WORK/cli.err" | tr -d '\r')" ||
  fail "scourix-cli list failed: $(tail -3 "$WORK/cli.err")"
[[ "$(grep -c . <<<"$listed")" -eq 37 ]] || fail "scourix-cli list shows $(grep -c . <<<"$listed") lines, not 37"

wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
if ((failures > 0)); then
  echo "release: $failures failure(s); artifacts in $WORK"
  exit 1
fi
echo "release: $(basename "$ZIP") unpacks, starts under Wine, shows its window and closes; its command line lists the targets"
