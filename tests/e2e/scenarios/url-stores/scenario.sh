# The URL cache and the browser history: "Check All", "Scour". Normal cache entries go; the
# history folders are emptied but kept. Wine's
# history store answers "not implemented", so the run must purge the folders all the same.

history_folder() { reg_value 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' History | sed 's/^sz://'; }

cache_tool() { wine "$ARTIFACTS/cache_tool.exe" "$@" | tr -d '\r'; }

seed() {
  x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -o "$ARTIFACTS/cache_tool.exe" \
    "$SCENARIO_DIR/cache_tool.cpp" -lwininet || fail "cache_tool did not build"
  cache_tool seed \
    http://pages.example/index.html 1 \
    http://pages.example/logo.png 1 \
    http://pages.example/app.js 5 \
    "Cookie:root@pages.example/" 100000 \
    "Cookie:root@other.example/" 100000 || fail "cache could not be seeded"
  cache_tool list >"$ARTIFACTS/cache-before.txt"
  local history
  history="$(history_folder)"
  [[ -n "$history" ]] || fail "no history folder value in the prefix"
  for ie in History.IE5 History.IE6 History.IE7; do
    make_file "$history\\$ie\\index.dat" trace
    make_file "$history\\$ie\\MSHist012026113020261207\\index.dat" trace
  done
  make_file "$history\\keep.txt" keep
}

drive() {
  driver wait press:"Check All" scour:120 close
}

verify() {
  local history
  history="$(history_folder)"
  for ie in History.IE5 History.IE6 History.IE7; do
    assert_exists "$history\\$ie"
    assert_eq "" "$(ls -A "$(unix_path "$history\\$ie")" 2>/dev/null)" "contents of $ie"
  done
  assert_exists "$history\\keep.txt"

  cache_tool list >"$ARTIFACTS/cache-after.txt"
  # No normal entry is left. (The cookie entries are kept for the record only: the cookie
  # targets of the same run delete their store.)
  local type url normal=""
  while read -r type url; do
    if (((0x$type & 1) == 1)); then normal+="$url "; fi
  done <"$ARTIFACTS/cache-after.txt"
  assert_eq "" "$normal" "normal cache entries left"
  [[ -s "$ARTIFACTS/cache-before.txt" ]] || fail "the seeded cache listed nothing"

  local log
  log="$(log_messages)"
  grep -qx "Cleaning IE Cache..." <<<"$log" || fail "no IE cache line in the log"
  grep -qx "Cleaning Windows History..." <<<"$log" || fail "no Windows History line in the log"
  grep -q "^Deleting - " <<<"$log" && fail "a Deleting line reached the log"
  grep -q "^Finished in " <<<"$log" || fail "the run did not finish"
}
