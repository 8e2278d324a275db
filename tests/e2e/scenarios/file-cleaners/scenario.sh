# The nine file targets after "Check All": what goes, what stays, links left alone, and the
# "Deleting - " lines that reach the label but never the log.

U='C:\users\e2e'
# Wine rewrites the application-data value at start-up, so Firefox lives where Wine says. Its
# URL cache rewrites "Shell Folders" from "User Shell Folders" on first use, so both are set.
FF='C:\users\'"$(whoami)"'\AppData\Roaming\Mozilla\Firefox'
PROFILE="$FF"'\Profiles\abc.default'
TEMP_FILES=3000

seed() {
  cat >"$ARTIFACTS/folders.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]
"Cookies"="C:\\\\users\\\\e2e\\\\Cookies"
"Cache"="C:\\\\users\\\\e2e\\\\Cache"
"Local Settings"="C:\\\\users\\\\e2e\\\\Local Settings"

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders]
"Cookies"="C:\\\\users\\\\e2e\\\\Cookies"
"Cache"="C:\\\\users\\\\e2e\\\\Cache"
"Local Settings"="C:\\\\users\\\\e2e\\\\Local Settings"
REG
  reg_import "$ARTIFACTS/folders.reg"

  make_file "$U"'\Cookies\me@site[1].txt'
  make_file "$U"'\Cookies\me@other[2].txt'
  make_file "$U"'\Cookies\index.dat' keep
  wine cmd /c attrib +h +s "$U"'\Cookies\index.dat' >/dev/null 2>&1
  make_file "$U"'\Cookies\sub\deep.txt' keep
  make_file "$U"'\Cache\Content.IE5\X1Y2\page[1].htm'
  make_file "$U"'\Local Settings\keep.dat' keep
  make_file "$U"'\Documents\precious.doc' keep
  local temp
  temp="$(unix_path "$U"'\Local Settings\Temp')"
  mkdir -p "$temp"
  for ((i = 0; i < TEMP_FILES; i++)); do
    mkdir -p "$temp/d$((i / 500))"
    printf 'x' >"$temp/d$((i / 500))/f$i.tmp"
  done
  printf 'x' >"$temp/$(printf 'ж\xc3\xa9.tmp')"
  ln -s "$(unix_path "$U"'\Documents')" "$temp/docs-link"
  make_file 'C:\windows\Temp\setup.tmp'
  make_file 'C:\windows\Cookies\sys@site[1].txt'
  make_file 'C:\Program Files\Winamp\winamp.m3u'
  make_file 'C:\Program Files\Winamp\winamp.ini' keep
  make_file "$FF"'\profiles.ini' "$(printf '[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/abc.default\r\n')"
  make_file "$PROFILE"'\history.dat'
  make_file "$PROFILE"'\cookies.txt'
  make_file "$PROFILE"'\cache\0\A1B2'
  make_file "$PROFILE"'\bookmarks.html' keep
}

drive() {
  driver wait press:"Check All" sleep:300 || return 1
  driver scour:300 >"$ARTIFACTS/finished.txt" &
  local run=$!
  # Reads the label while the run goes on.
  while kill -0 "$run" 2>/dev/null; do driver status >>"$ARTIFACTS/labels.txt"; done
  wait "$run" || return 1
  driver close
}

verify() {
  assert_missing "$U"'\Cookies\me@site[1].txt'
  assert_missing "$U"'\Cookies\me@other[2].txt'
  assert_exists "$U"'\Cookies\index.dat'
  assert_exists "$U"'\Cookies\sub\deep.txt'
  # The URL cache, walked earlier in the same run, keeps its index open inside Content.IE5, so
  # that folder stays (as on Windows); what the user's browsing left in it goes.
  assert_missing "$U"'\Cache\Content.IE5\X1Y2'
  assert_exists "$U"'\Cache'
  assert_exists "$U"'\Local Settings\keep.dat'
  assert_eq "docs-link" "$(ls "$(unix_path "$U"'\Local Settings\Temp')")" "what Temp holds"
  assert_eq "keep" "$(cat "$(unix_path "$U"'\Documents\precious.doc')")" "the linked folder's file"
  assert_missing 'C:\windows\Temp\setup.tmp'
  assert_missing 'C:\windows\Cookies\sys@site[1].txt'
  assert_missing 'C:\Program Files\Winamp\winamp.m3u'
  assert_exists 'C:\Program Files\Winamp\winamp.ini'
  assert_missing "$PROFILE"'\history.dat'
  assert_missing "$PROFILE"'\cookies.txt'
  assert_missing "$PROFILE"'\cache\0'
  assert_exists "$PROFILE"'\cache'
  assert_exists "$PROFILE"'\bookmarks.html'
  assert_exists "$FF"'\profiles.ini'

  local seen
  seen="$(grep -c '^Deleting - ' "$ARTIFACTS/labels.txt" 2>/dev/null)"
  [[ "${seen:-0}" -gt 0 ]] || fail "no \"Deleting - \" line was seen on the label"
  assert_eq 0 "$(grep -c 'Deleting' "$(log_file)")" "Deleting lines in the log"
  assert_eq "Cleaning Windows History..." "$(log_messages | grep -B1 '^Finished in' | head -1)" \
    "the run reached its end"
}
