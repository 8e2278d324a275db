# A user of Windows 7 to 11, in Wine's own layout: no "Local Settings" shell folder, the
# registry keys of today's Windows and applications, none of the XP era. "Check All", "Scour":
# every modern trace goes, everything beside it stays, and no key of an application the
# machine lacks is made. Then two runs of "Temporary Files" alone with TEMP and TMP naming the
# drive's root and then the profile folder: nothing there is touched.

FIXTURES="$WINE_KIT/../../tests/fixtures/cleaners"
USER_NAME="$(whoami)"
HOME_FOLDER="C:\\users\\$USER_NAME"
APPDATA="$HOME_FOLDER\\AppData\\Roaming"
LOCAL="$HOME_FOLDER\\AppData\\Local"
RECENT="$APPDATA\\Microsoft\\Windows\\Recent"
PLANTED="$ARTIFACTS/planted.tsv"

# Keys of the XP era that a blank or a sweep must not bring into being.
ABSENT_KEYS=(
  'HKEY_CURRENT_USER\Software\Ahead'
  'HKEY_CURRENT_USER\Software\Adobe\ImageReady 7.0'
  'HKEY_CURRENT_USER\Software\Adobe\Photoshop\7.0'
  'HKEY_CURRENT_USER\Software\Adobe\Photoshop\8.0'
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List'
  'HKEY_CURRENT_USER\Software\Microsoft\DevStudio'
  'HKEY_CURRENT_USER\Software\Microsoft\Office\10.0'
  'HKEY_CURRENT_USER\Software\WinRAR\ArcHistory'
)

plant() {
  make_file "$1" trace
  printf 'trace\t%s\n' "$(unix_path "$1")" >>"$PLANTED"
}
keep() {
  make_file "$1" keep
  printf 'keep\t%s\n' "$(unix_path "$1")" >>"$PLANTED"
}

# The temp folder a process of this prefix is given.
temp_folder() { wine cmd /c echo '%TEMP%' 2>/dev/null | tr -d '\r'; }

# TEMP and TMP of the user's environment, which Wine hands to every program it starts.
set_user_temp() {
  local value="${1//\\/\\\\}"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Environment]\n"TEMP"="%s"\n"TMP"="%s"\n' \
    "$value" "$value" >"$ARTIFACTS/temp.reg"
  reg_import "$ARTIFACTS/temp.reg"
  wine_settle
}

# Every file and folder of the drive (links not followed), but the Windows folder, where Wine
# keeps its own state. A run may add (its log, wininet's index), never take away.
drive_tree() {
  (cd "$DRIVE_C" && find -P . -path ./windows -prune -o -printf '%y %p\n' | sort)
}

seed() {
  : >"$PLANTED"
  reg_import "$FIXTURES/modern_traces.reg"
  wine_settle
  # Wine's own temp folder: C:\users\<user>\Temp.
  local temp
  temp="$(temp_folder)"
  echo "$temp" >"$ARTIFACTS/temp-folder.txt"
  [[ "$temp" == "$HOME_FOLDER"\\* ]] || fail "the prefix's temp folder is $temp"

  plant "$RECENT\\letter to bank.lnk"
  plant "$RECENT\\PHOTOS.LNK"
  keep "$RECENT\\AutomaticDestinations\\f01b4d95cf55d32a.automaticDestinations-ms"
  keep "$RECENT\\CustomDestinations\\28c8b86deab549a1.customDestinations-ms"
  keep "$RECENT\\notes.txt"

  plant "$temp\\setup.log"
  plant "$temp\\~DF1A2B.tmp"
  plant "$temp\\installer\\part1.cab"
  keep "$temp.txt"
  keep "$LOCAL\\keep.dat"

  plant "$APPDATA\\Winamp\\winamp.m3u"
  plant "$APPDATA\\Winamp\\winamp.m3u8"
  keep "$APPDATA\\Winamp\\winamp.ini"

  plant 'C:\windows\Temp\setup.tmp'
  keep 'C:\canary.txt'

  cache_tool seed \
    http://modern.example/index.html 1 \
    "Cookie:$USER_NAME@modern.example/" 100000 \
    "Cookie:$USER_NAME@other.example/path" 100000 || fail "the URL cache could not be seeded"
  cache_tool list Cookie: >"$ARTIFACTS/cookies-before.txt"
  grep -q "Cookie:$USER_NAME@modern.example/" "$ARTIFACTS/cookies-before.txt" ||
    fail "the cookie container lists no seeded cookie"
}

# One more start of the program with only "Temporary Files" checked.
temp_only_run() {
  local name="$1" program caption state
  run_program >"$ARTIFACTS/program-$name.out" 2>&1 &
  program=$!
  driver wait >/dev/null || return 1
  while IFS=$'\t' read -r state caption; do
    [[ "$state" == 1 && "$caption" != "Temporary Files" ]] && driver uncheck:"$caption" >/dev/null
  done < <(driver boxes)
  driver check:"Temporary Files" scour:120 close || return 1
  timeout 60 tail --pid=$program -f /dev/null
}

drive() {
  driver wait press:"Check All" sleep:300 scour:300 close || return 1
  # The checks of the first run look at the prefix as that run left it.
  wine_settle
  cache_tool list Cookie: >"$ARTIFACTS/cookies-after.txt"
  wine_settle
  python3 "$WINE_KIT/compare_reg.py" "$WINEPREFIX" "$FIXTURES/modern_traces.reg" \
    "$FIXTURES/modern_traces_scoured.reg" >"$ARTIFACTS/registry.txt"
  local key
  for key in "${ABSENT_KEYS[@]}"; do
    if reg_key_exists "$key"; then echo "$key" >>"$ARTIFACTS/made-keys.txt"; fi
  done
  run_log >"$ARTIFACTS/first-run-log.txt"

  local where
  for where in root profile; do
    make_file 'C:\root-file.txt' keep
    make_file "$HOME_FOLDER\\profile-file.txt" keep
    local temp='C:\'
    [[ "$where" == root ]] || temp="$HOME_FOLDER"
    set_user_temp "$temp"
    [[ "$(temp_folder)" == "$temp" ]] || echo "TEMP is not $temp" >>"$ARTIFACTS/temp-not-set.txt"
    drive_tree >"$ARTIFACTS/tree-before-$where.txt"
    temp_only_run "$where" || return 1
    wine_settle
    drive_tree >"$ARTIFACTS/tree-after-$where.txt"
  done
}

verify() {
  local kind path
  while IFS=$'\t' read -r kind path; do
    if [[ "$kind" == trace ]]; then
      [[ ! -e "$path" ]] || fail "a trace is still there: $path"
    elif [[ "$(cat "$path" 2>/dev/null)" != keep ]]; then
      fail "a keep is gone or changed: $path"
    fi
  done <"$PLANTED"
  assert_exists "$(cat "$ARTIFACTS/temp-folder.txt")"
  assert_exists "$RECENT\\AutomaticDestinations"

  local line
  while IFS= read -r line; do fail "$line"; done <"$ARTIFACTS/registry.txt"
  if [[ -s "$ARTIFACTS/made-keys.txt" ]]; then
    while IFS= read -r line; do fail "a key was made: $line"; done <"$ARTIFACTS/made-keys.txt"
  fi
  if grep -q ' Cookie:' "$ARTIFACTS/cookies-after.txt"; then
    fail "cookie entries left: $(tr '\n' ' ' <"$ARTIFACTS/cookies-after.txt")"
  fi
  assert_eq "$(expected_log all)" "$(cat "$ARTIFACTS/first-run-log.txt")" "the log of the first run"

  local where
  for where in root profile; do
    local gone
    gone="$(comm -23 "$ARTIFACTS/tree-before-$where.txt" "$ARTIFACTS/tree-after-$where.txt")"
    [[ -z "$gone" ]] || fail "TEMP at the $where: gone from the drive: $(head -5 <<<"$gone" | tr '\n' ' ')"
  done
  [[ ! -s "$ARTIFACTS/temp-not-set.txt" ]] || fail "$(cat "$ARTIFACTS/temp-not-set.txt")"
  assert_eq keep "$(cat "$(unix_path 'C:\root-file.txt')")" "the file at the root"
  assert_eq keep "$(cat "$(unix_path "$HOME_FOLDER\\profile-file.txt")")" "the file in the profile"
}
