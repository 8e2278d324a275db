#!/usr/bin/env bash
# Builds the Windows programs for each machine (the window, scourix.exe, and the command line,
# scourix-cli.exe; the mingw presets are optimised Release builds), strips them and packs them
# with the README and the licence into
# build/release/scourix-<version>-<machine>.zip: x86_64 from the mingw preset, x86 from
# mingw-x86. The version is the tag on HEAD, or the project's version with the commit
# appended. The zips' paths are the last two lines printed, x86_64 first.
set -euo pipefail
cd "$(dirname "$0")/.."

version="$(sed -n 's/^project(scourix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
if tag="$(git describe --tags --exact-match 2>/dev/null)"; then
  version="${tag#v}"
elif commit="$(git rev-parse --short HEAD 2>/dev/null)"; then
  version="$version-$commit"
fi
out=build/release
stage="$out/stage"

pack() {  # MACHINE PRESET TOOL_PREFIX
  local machine=$1 preset=$2 tools=$3
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j2 --target scourix scourix-cli >&2
  rm -rf "$stage"
  mkdir -p "$stage"
  for program in scourix scourix-cli; do
    "$tools-strip" -o "$stage/$program.exe" "build/$preset/src/main/$program.exe"
  done
  cp README.md LICENSE "$stage/"
  local zip="$out/scourix-$version-$machine.zip"
  python3 - "$zip" "$stage" <<'PY'
import os, sys, zipfile
zip_path, stage = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(zip_path + ".part", "w", zipfile.ZIP_DEFLATED) as archive:
    for name in ("scourix.exe", "scourix-cli.exe", "README.md", "LICENSE"):
        archive.write(os.path.join(stage, name), name)
os.replace(zip_path + ".part", zip_path)
PY
  rm -rf "$stage"
  echo "$zip"
}

pack x86_64 mingw x86_64-w64-mingw32
pack x86 mingw-x86 i686-w64-mingw32
