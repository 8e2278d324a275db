#!/usr/bin/env bash
# Builds scourix.exe and starts it under Wine. With a display it opens for you (in its own Wine
# prefix, so your default prefix stays untouched unless WINEPREFIX says otherwise). Without one
# it shows a demonstration under Xvfb: a seeded throwaway machine, a full run, the log and a
# screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure_packages.sh
cmake --preset mingw >/dev/null
cmake --build build/mingw -j2 >/dev/null

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -n "${DISPLAY:-}" ]]; then
  export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/scourix/wine}"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then mkdir -p "$WINEPREFIX" && wineboot -i >/dev/null 2>&1; fi
  program_dir="$WINEPREFIX/drive_c/Program Files/Scourix"
  mkdir -p "$program_dir"
  cp build/mingw/src/main/scourix.exe "$program_dir/"
  exec wine "C:\\Program Files\\Scourix\\scourix.exe"
fi

exec xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/demo.sh build/mingw
