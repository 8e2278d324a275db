#!/usr/bin/env bash
# Installs, with apt-get, whichever of the build and test tools this machine lacks.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3 libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-format clang-tidy clang libclang-rt-14-dev
  # SQLite: the host's library; for the Windows builds, its source package made into the
  # amalgamation (scripts/fetch_sqlite.sh).
  libsqlite3-dev tcl dpkg-dev make
  # MinGW-w64: win32 threads for the shipped programs, posix threads for the Wine tests.
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32
  # Never wine32: installed on a kernel that cannot run 32-bit code, it makes wine and
  # wineboot take the 32-bit loader, and they fail for 64-bit programs too.
  wine wine64 xvfb xauth x11-utils imagemagick icoutils librsvg2-bin
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  echo "installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
