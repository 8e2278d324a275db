#!/usr/bin/env bash
# The whole program as a user runs it: scourix.exe with only "Temporary Files" checked, timed by
# the driver from its press on "Scour" to the "Finished in" line while it reads the label every
# 100 ms, against the bare loop over an identical tree, in the same prefix. Run inside one
# display (scripts/bench.sh starts it under xvfb-run) with WINEPREFIX set; prints one
# "result kind=program ..." line.
#   bench/program_case.sh BUILD_DIR FILES ROUNDS
set -euo pipefail
build=$1 files=$2 rounds=$3
bench="$build/bench/scourix_bench.exe"
driver="$build/tools/wine/scourix_driver.exe"

# The program writes its log beside itself: a copy of its own, inside the prefix.
program_dir="$WINEPREFIX/drive_c/scourix-bench"
mkdir -p "$program_dir"
cp "$build/src/main/scourix.exe" "$program_dir/"
user=$(whoami)
local_settings="C:\\users\\$user\\Local Settings"
temp="$local_settings\\Temp"
unix_temp="$WINEPREFIX/drive_c/users/$user/Local Settings/Temp"
mkdir -p "$unix_temp"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v "Local Settings" /d "$local_settings" /f >/dev/null 2>&1

left() { find "$unix_temp" -mindepth 1 | wc -l; }

# Prints the seconds from the press on "Scour" to "Finished in".
scourix_side() {
  wine "$program_dir/scourix.exe" &
  local pid=$! steps=() state caption out
  wine "$driver" wait >/dev/null
  while IFS=$'\t' read -r state caption; do
    if [[ "$state" == 1 ]]; then steps+=("uncheck:$caption"); fi
  done < <(wine "$driver" boxes | tr -d '\r')
  wine "$driver" "${steps[@]}" "check:Temporary Files" >/dev/null
  out=$(wine "$driver" timed-scour:36000:100 close | tr -d '\r')
  wait "$pid" || true
  sed -n 's/^scour_s=//p' <<<"$out"
}

bare_side() {
  wine "$bench" bare-tree "$temp" | tr -d '\r' | sed -n 's/^bare_s=//p'
}

# Warm-up: both sides once on a small tree.
for side in bare_side scourix_side; do
  wine "$bench" tree "$temp" 200
  "$side" >/dev/null
done

scourix_total=0 bare_total=0
for ((round = 1; round <= rounds; ++round)); do
  order=(scourix_side bare_side)
  if ((round % 2 == 0)); then order=(bare_side scourix_side); fi
  for side in "${order[@]}"; do
    wine "$bench" tree "$temp" "$files"
    seconds=$("$side")
    if [[ -z "$seconds" || $(left) -ne 0 ]]; then
      echo "${side%_side} side failed or left $(left) items behind" >&2
      exit 1
    fi
    echo "  round $round ${side%_side}: ran in $seconds s" >&2
    if [[ $side == scourix_side ]]; then
      scourix_total=$(echo "$scourix_total + $seconds" | bc -l)
    else
      bare_total=$(echo "$bare_total + $seconds" | bc -l)
    fi
  done
done
printf 'result kind=program size=%d rounds=%d scourix_s=%.3f bare_s=%.3f\n' "$files" "$rounds" \
  "$(echo "$scourix_total / $rounds" | bc -l)" "$(echo "$bare_total / $rounds" | bc -l)"
