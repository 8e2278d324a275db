#!/usr/bin/env bash
# Makes SQLite's single-file amalgamation (sqlite3.c, sqlite3.h) in the folder given, from
# Debian's source package of the archive this machine already uses; done once per folder.
# MinGW has no SQLite of its own, so the Windows programs compile this one in.
set -euo pipefail
out="$1"
if [[ -f "$out/sqlite3.c" && -f "$out/sqlite3.h" ]]; then exit 0; fi
mkdir -p "$out"
out="$(cd "$out" && pwd)"

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
if [[ -z "$(apt-cache showsrc sqlite3 2>/dev/null)" ]]; then
  # The same archive and suites as the binary packages, for sources.
  src_list=/etc/apt/sources.list.d/scourix-deb-src.sources
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee "$src_list" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' |
      $sudo tee /etc/apt/sources.list.d/scourix-deb-src.list >/dev/null
  fi
  $sudo apt-get update -qq
fi

work="$out/source"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq sqlite3 >/dev/null)
tree="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)"
# The amalgamation needs the generated parser, opcodes and keyword table: the source tree's own
# makefile makes them with the host compiler, then tool/mksqlite3c.tcl joins everything.
(cd "$tree" && ./configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
cp "$tree/sqlite3.c" "$tree/sqlite3.h" "$out/"
rm -rf "$work"
