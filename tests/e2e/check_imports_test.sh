#!/usr/bin/env bash
# A test of check_imports.py itself: per machine, a probe program for each way a program can
# fail to start on the oldest Windows, and a clean one, each built here and put to the check.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# case | extra build flags | exit status the check must give | words its output must hold
cases=(
  "clean||0|all on the floor list"
  "Vista import|-D_WIN32_WINNT=0x0600 -DPROBE_CALL=GetTickCount64|1|kernel32.dll!GetTickCount64 is not"
  "unlisted DLL|-DPROBE_CALL=timeGetTime -lwinmm|1|winmm.dll is not on the list of system DLLs"
  "Vista subsystem|-Wl,--major-subsystem-version,6|1|subsystem version 6."
)
failures=0
for compiler in x86_64-w64-mingw32-gcc-win32 i686-w64-mingw32-gcc-win32; do
  for row in "${cases[@]}"; do
    IFS='|' read -r name flags status words <<<"$row"
    # shellcheck disable=SC2086  # the flags are words
    if ! "$compiler" -O2 -nostdlib -nostartfiles -mconsole -o "$work/probe.exe" \
      "$here/floor_probe.c" $flags -lkernel32; then
      echo "check_imports_test: ${compiler%%-*} $name: the probe did not build"
      failures=$((failures + 1))
      continue
    fi
    output="$(python3 "$here/check_imports.py" "$work/probe.exe")"
    actual=$?
    if [[ $actual -ne $status || $output != *"$words"* ]]; then
      echo "check_imports_test: ${compiler%%-*} $name: exit $actual, said: $output"
      failures=$((failures + 1))
    fi
  done
done
if ((failures > 0)); then
  echo "check_imports_test: $failures case(s) failed"
  exit 1
fi
echo "check_imports_test: on both machines, a clean probe passes and a Vista import, an" \
  "unlisted DLL and a Vista subsystem version fail"
