# A user's machine with traces for all 37 targets and the things around them that must
# survive; sourced after prefix.sh by the full-house scenario and by the demo. Files the run
# keeps for a look go to $ARTIFACTS.
#   seed_traces          plants everything and records each file in $PLANTED
#   census FILE          writes the per-target count of traces still there to FILE, with the
#                        registry keys of each target from $TARGET_LISTS (see target_lists)
#   check_keeps          fails for every planted keep that is gone or changed
#   check_places         fails for history left in, or a bookmark lost from, each places
#                        database seeded
# Registry traces come from the fixtures shared with the host tests (traces.reg, and
# traces_scoured.reg for what must remain).

FIXTURES="$WINE_KIT/../../tests/fixtures/cleaners"
PLANTED="$ARTIFACTS/planted.tsv"
# The traces lie in the user's own profile (Wine names it after the Unix user), where a folder
# step may work.
WINE_USER="$(whoami)"
U='C:\users\'"$WINE_USER"
# Wine rewrites the application-data value at start-up, so Firefox lives where Wine says.
FF="$U"'\AppData\Roaming\Mozilla\Firefox'
LOCAL_FF="$U"'\AppData\Local\Mozilla\Firefox'
PROFILE="$FF"'\Profiles\abc.default'
OTHER_PROFILE="$FF"'\Profiles\xyz.work'
ABSOLUTE_PROFILE='C:\Firefox profiles\abs.default'
TEMP_FILES="${TEMP_FILES:-3000}"

# plant CAPTION 'C:\path' [content]: a trace that CAPTION removes. keep 'C:\path': must stay.
plant() {
  make_file "$2" "${3:-trace}"
  printf 'trace\t%s\t%s\n' "$1" "$(unix_path "$2")" >>"$PLANTED"
}
keep() {
  make_file "$1" keep
  printf 'keep\t-\t%s\n' "$(unix_path "$1")" >>"$PLANTED"
}

shell_folder() {
  reg_value 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    "$1" | sed 's/^sz://'
}

seed_traces() {
  : >"$PLANTED"
  : >"$ARTIFACTS/places.txt"
  reg_import "$FIXTURES/traces.reg"

  # wininet rewrites "Shell Folders" from "User Shell Folders" on first use: set both.
  local key folders='REGEDIT4'
  for key in 'Shell Folders' 'User Shell Folders'; do
    folders+="

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key]
\"Cookies\"=\"C:\\\\users\\\\$WINE_USER\\\\Cookies\"
\"Cache\"=\"C:\\\\users\\\\$WINE_USER\\\\Cache\"
\"Local Settings\"=\"C:\\\\users\\\\$WINE_USER\\\\Local Settings\""
  done
  printf '%s\n' "$folders" >"$ARTIFACTS/folders.reg"
  reg_import "$ARTIFACTS/folders.reg"
  wine_settle  # the history and recent values are read from the saved registry below

  # Cookies: normal files are wiped; hidden/system files and subfolders stay.
  plant "Internet Explorer Cookies" "$U"'\Cookies\me@site[1].txt'
  plant "Internet Explorer Cookies" "$U"'\Cookies\me@other[2].txt'
  plant "Internet Explorer Cookies" "$U"'\Cache\Content.IE5\X1Y2\page[1].htm'
  keep "$U"'\Cookies\desktop.ini'
  wine cmd /c attrib +h +s "$U"'\Cookies\desktop.ini' >/dev/null 2>&1
  keep "$U"'\Cookies\sub\deep.txt'
  plant "Windows Cookies" 'C:\windows\Cookies\sys@site[1].txt'

  # Temp: many files in folders, a name outside the ANSI code page, and a link to a folder
  # whose files must survive.
  keep "$U"'\Local Settings\keep.dat'
  keep "$U"'\Documents\precious.doc'
  local temp i
  temp="$(unix_path "$U"'\Local Settings\Temp')"
  mkdir -p "$temp"
  for ((i = 0; i < TEMP_FILES; i++)); do
    ((i % 500 == 0)) && mkdir -p "$temp/d$((i / 500))"
    printf 'x' >"$temp/d$((i / 500))/f$i.tmp"
    printf 'trace\tTemporary Files\t%s\n' "$temp/d$((i / 500))/f$i.tmp" >>"$PLANTED"
  done
  plant "Temporary Files" "$U"'\Local Settings\Temp\жé.tmp'
  ln -s "$(unix_path "$U"'\Documents')" "$temp/docs-link"
  plant "Windows Temporary Files" 'C:\windows\Temp\setup.tmp'
  plant "Windows Temporary Files" 'C:\windows\Temp\installer\part1.cab'

  plant "WinAmp Last Opened" 'C:\Program Files\Winamp\winamp.m3u'
  keep 'C:\Program Files\Winamp\winamp.ini'

  # Firefox: every profile of profiles.ini. Two of today's, one relative (its cache in the
  # local half) and one absolute, and one of the old format.
  make_file "$FF"'\profiles.ini' "$(printf '[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/abc.default\r\n\r\n[Profile1]\r\nName=work\r\nIsRelative=1\r\nPath=Profiles/xyz.work\r\n\r\n[Profile2]\r\nName=elsewhere\r\nIsRelative=0\r\nPath=%s\r\n' "$ABSOLUTE_PROFILE")"
  printf 'keep\t-\t%s\n' "$(unix_path "$FF"'\profiles.ini')" >>"$PLANTED"
  local profile
  for profile in "$PROFILE" "$OTHER_PROFILE"; do
    plant "Firefox History" "$profile"'\history.dat'
    plant "Firefox Cookies" "$profile"'\cookies.txt'
    plant "Firefox Cache" "$profile"'\cache\0\A1B2'
  done
  plant "Firefox Cache" "$PROFILE"'\cache\_CACHE_MAP_'
  keep "$PROFILE"'\bookmarks.html'
  seed_current_firefox "$PROFILE" "$LOCAL_FF"'\Profiles\abc.default'
  seed_current_firefox "$ABSOLUTE_PROFILE" "$ABSOLUTE_PROFILE"

  # Browser history folders: emptied, kept. Recent documents: the shell's own folder.
  local history recent ie
  history="$(shell_folder History)"
  # Not History.IE5\index.dat: that is wininet's own index, made again whenever wininet loads.
  for ie in History.IE5 History.IE6 History.IE7; do
    plant "Windows History" "$history\\$ie\\container.dat"
    plant "Windows History" "$history\\$ie\\MSHist012026113020261207\\index.dat"
  done
  keep "$history\\keep.txt"
  recent="$(shell_folder Recent)"
  plant "Recent Documents" "$recent\\letter to bank.lnk"

  # Outside every named folder.
  keep 'C:\canary.txt'
  keep "$U"'\Temp.txt'
  keep 'C:\Program Files\Scourix\readme.txt'

  cache_tool seed \
    http://pages.example/index.html 1 \
    http://pages.example/logo.png 1 \
    http://pages.example/app.js 5 \
    "Cookie:root@pages.example/" 100000 \
    "Cookie:root@other.example/" 100000 || fail "the URL cache could not be seeded"
}

# The files of today's Firefox in a profile and its local half: seed_current_firefox PROFILE LOCAL
seed_current_firefox() {
  mkdir -p "$(unix_path "$1")"
  python3 "$WINE_KIT/firefox_places.py" make "$(unix_path "$1"'\places.sqlite')"
  printf '%s\n' "$(unix_path "$1"'\places.sqlite')" >>"$ARTIFACTS/places.txt"
  plant "Firefox Cookies" "$1"'\cookies.sqlite'
  plant "Firefox Cookies" "$1"'\cookies.sqlite-wal'
  plant "Firefox Cookies" "$1"'\cookies.sqlite-shm'
  plant "Firefox Cache" "$2"'\cache2\entries\0A1B2C3D'
  plant "Firefox Cache" "$2"'\cache2\doomed\1'
  plant "Firefox Cache" "$2"'\cache2\index'
  keep "$1"'\prefs.js'
}

check_places() {
  local places line
  while IFS= read -r places; do
    while IFS= read -r line; do
      [[ -n "$line" ]] && fail "$places: $line"
    done < <(python3 "$WINE_KIT/firefox_places.py" check "$places" 2>&1)
  done <"$ARTIFACTS/places.txt"
}

census() {
  cache_tool list >"$1.cache"
  wine_settle
  python3 "$WINE_KIT/census.py" count "$WINEPREFIX" "$PLANTED" "$FIXTURES/traces.reg" \
    "$FIXTURES/traces_scoured.reg" "$1.cache" "$TARGET_LISTS/census_keys.tsv" >"$1"
}

check_keeps() {
  local kind caption path
  while IFS=$'\t' read -r kind caption path; do
    [[ "$kind" == keep ]] || continue
    if [[ ! -f "$path" ]]; then
      fail "a keep is gone: $path"
    elif [[ "$path" != *profiles.ini && "$(cat "$path")" != keep ]]; then
      fail "a keep was changed: $path"
    fi
  done <"$PLANTED"
}
