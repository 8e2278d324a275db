#!/bin/sh
# Checks that a built program carries its resources: check_resources.sh PROGRAM.exe ARCH
# The icon with its seven images, the embedded manifest for ARCH (common controls 6, asInvoker,
# DPI awareness), and the version information. Needs wrestool and icotool (icoutils).
set -eu
exe=$1
arch=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
  echo "resources: $exe: $*" >&2
  failed=1
}

wrestool -x --type=14 --name=1 "$exe" >"$tmp/icon.ico" 2>/dev/null || true
icotool -l "$tmp/icon.ico" 2>/dev/null | sed 's/.*--width=\([0-9]*\).*--bit-depth=\([0-9]*\).*/\1x\2/' \
  | sort | tr '\n' ' ' >"$tmp/images"
[ "$(cat "$tmp/images")" = "16x32 16x4 24x32 32x32 32x4 48x32 48x4 " ] ||
  fail "icon 1 has images [$(cat "$tmp/images")]"

wrestool -x --raw --type=24 --name=1 "$exe" >"$tmp/manifest" 2>/dev/null || true
for needle in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
  "processorArchitecture=\"$arch\"" 'level="asInvoker"' '>PerMonitorV2, PerMonitor<' \
  '>true/pm<' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
  tr -s ' \n' ' ' <"$tmp/manifest" | grep -qF -- "$needle" || fail "manifest lacks $needle"
done
if [ "$(grep -c "processorArchitecture=\"$arch\"" "$tmp/manifest")" != 2 ]; then
  fail "manifest names another architecture than $arch"
fi

wrestool -x --raw --type=16 --name=1 "$exe" >"$tmp/version" 2>/dev/null || true
iconv -f UTF-16LE -t UTF-8 "$tmp/version" 2>/dev/null | tr '\000' '\n' >"$tmp/strings" || true
for pair in "ProductName Scourix" "ProductVersion 0.2" "FileVersion 0.2" \
  "FileDescription Scourix privacy cleaner"; do
  # A key's line may start with its record's length words; its value follows on its own line.
  grep -A2 -- "${pair%% *}\$" "$tmp/strings" | grep -qx -- "${pair#* }" ||
    fail "version information lacks ${pair%% *} \"${pair#* }\""
done

[ "$failed" -eq 0 ] && echo "resources: icon, manifest ($arch) and version information present"
exit "$failed"
