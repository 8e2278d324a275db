#!/usr/bin/env bash
# The program must run on a bare Windows: it may import only DLLs that Windows ships.
set -euo pipefail
allowed="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
shell32.dll user32.dll wininet.dll urlmon.dll shlwapi.dll version.dll"
status=0
while read -r dll; do
  if ! grep -qiw "$dll" <<<"$allowed"; then
    echo "imports: $1 needs $dll, which Windows does not ship" >&2
    status=1
  fi
done < <(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {print tolower($3)}')
[[ $status -eq 0 ]] && echo "imports: only system DLLs"
exit $status
