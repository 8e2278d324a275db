#!/usr/bin/env bash
# Builds the Windows program (the mingw preset is an optimised Release build), strips it and
# packs it with the README and the licence into build/release/scourix-<version>-x86_64.zip.
# The version is the tag on HEAD, or the project's version with the commit appended. The
# zip's path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset mingw >/dev/null
cmake --build build/mingw -j2 --target scourix >&2

version="$(sed -n 's/^project(scourix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
if tag="$(git describe --tags --exact-match 2>/dev/null)"; then
  version="${tag#v}"
elif commit="$(git rev-parse --short HEAD 2>/dev/null)"; then
  version="$version-$commit"
fi

out=build/release
stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/scourix.exe" build/mingw/src/main/scourix.exe
cp README.md LICENSE "$stage/"

zip="$out/scourix-$version-x86_64.zip"
python3 - "$zip" "$stage" <<'PY'
import os, sys, zipfile
zip_path, stage = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(zip_path + ".part", "w", zipfile.ZIP_DEFLATED) as archive:
    for name in ("scourix.exe", "README.md", "LICENSE"):
        archive.write(os.path.join(stage, name), name)
os.replace(zip_path + ".part", zip_path)
PY
rm -rf "$stage"
echo "$zip"
