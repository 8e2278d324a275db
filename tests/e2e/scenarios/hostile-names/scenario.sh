# Names and a date format that neither the ANSI code page nor a file name can hold, and two
# copies started in one minute: values named outside the code page go with every "every value"
# sweep while their neighbours stay; a short-date format that climbs with "\..\" keeps the log
# beside the program; both copies' lines are in that one log; a URL cache in a folder the code
# page cannot name (wininet gives its files by the folder's short name) is emptied.

RUN_MRU='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU'
TYPED_URLS='HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs'
# Below a swept key, and beside the swept keys: values there stay.
SUBKEY="$TYPED_URLS\\文件名"
KEEP='HKEY_CURRENT_USER\Software\ScourixKeep'
NAMES=('жé_ünï' '文件名' '😀')
# And a name with a UTF-16 unit that pairs with none, written into the .reg file as "<lone>".
LONE='x<lone>'
CACHE_URLS=(http://cache.example/a.html http://cache.example/b.png)

seed() {
  local key name
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Control Panel\\International]\r\n'
    printf '"sShortDate"="x\\\\..\\\\..\\\\..\\\\yyyy"\r\n\r\n'
    # wininet rewrites "Shell Folders" from "User Shell Folders" on first use: set both.
    for key in 'Shell Folders' 'User Shell Folders'; do
      printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\%s]\r\n' "$key"
      printf '"Cache"="C:\\\\users\\\\%s\\\\Данные\\\\Cache"\r\n\r\n' "$(whoami)"
    done
    for key in "$RUN_MRU" "$TYPED_URLS" "$SUBKEY" "$KEEP"; do
      printf '[%s]\r\n' "$key"
      for name in "${NAMES[@]}" "$LONE"; do printf '"%s"="%s"\r\n' "$name" "$name"; done
      printf '\r\n'
    done
  } | python3 -c 'import sys; text = "\ufeff" + sys.stdin.read().replace("<lone>", "\ud800")
sys.stdout.buffer.write(text.encode("utf-16-le", "surrogatepass"))' >"$ARTIFACTS/hostile.reg"
  reg_import "$ARTIFACTS/hostile.reg"
  # wininet gives the short name only of a folder that is there when it starts, as a browser's is.
  mkdir -p "$(unix_path "C:\\users\\$(whoami)\\Данные\\Cache\\Content.IE5")"
  cache_tool seed "${CACHE_URLS[0]}" 1 "${CACHE_URLS[1]}" 1 || fail "the URL cache could not be seeded"
  cache_tool list >"$ARTIFACTS/cache-before.txt"
  # The two copies must start in one minute, so the run does not begin near a minute's end.
  local second
  second=$((10#$(date +%S)))
  if ((second > 40)); then sleep $((61 - second)); fi
}

drive() {
  driver wait || return 1
  run_program >"$ARTIFACTS/second-copy.out" 2>&1 &
  local second_copy=$!
  driver wait:2 press:"Check All" sleep:300 scour:120 close || return 1
  driver wait close || return 1
  wait "$second_copy"
}

verify() {
  local key name
  for key in "$RUN_MRU" "$TYPED_URLS"; do
    assert_eq "" "$(reg_values "$key")" "values left in $key"
  done
  for key in "$SUBKEY" "$KEEP"; do
    for name in "${NAMES[@]}"; do assert_reg_value "$key" "$name" "sz:$name"; done
    assert_eq 4 "$(reg_values "$key" | grep -c .)" "values kept in $key"
  done

  local url
  cache_tool list >"$ARTIFACTS/cache-after.txt"
  for url in "${CACHE_URLS[@]}"; do
    grep -q " $url\$" "$ARTIFACTS/cache-before.txt" || fail "not seeded into the cache: $url"
    if grep -q " $url\$" "$ARTIFACTS/cache-after.txt"; then fail "still in the cache: $url"; fi
  done

  # The log is in the program's folder, one file for both copies; nothing at the drive's root.
  local year logs
  year="$(date +%Y)"
  assert_missing "C:\\$year.txt"
  assert_eq "" "$(cd "$DRIVE_C" && ls ./*.txt 2>/dev/null)" "files at the root of C:"
  logs="$(cd "$PROGRAM_DIR" && ls ./*.txt 2>/dev/null)"
  assert_eq 1 "$(grep -c . <<<"$logs")" "logs in the program's folder: $logs"
  assert_eq 2 "$(run_log | grep -c '^Scourix Initialized\.$')" "copies started in the log"
  assert_eq 2 "$(run_log | grep -c '^Scourix Decommissioned\.$')" "copies closed in the log"
  assert_eq "$(expected_log all | grep -v '^Scourix ')" "$(run_log | grep -v '^Scourix ')" \
    "the run's lines"
}
