# All 37 targets on one seeded machine: "Check All", "Scour", close. Every target's traces go,
# every keep stays, the registry is exactly what must remain, and the log tells the run in order.
# Firefox runs with a fourth profile meanwhile: that one is left exactly as it was.

# shellcheck source=/dev/null
source "$WINE_KIT/traces.sh"

BUSY_PROFILE="$FF"'\Profiles\busy.running'
BUSY_LOCAL="$LOCAL_FF"'\Profiles\busy.running'
HOLD_STOP='C:\hold.stop'

# Every file of the running profile and of its local half, with its checksum.
busy_tree() {
  local folder
  for folder in "$BUSY_PROFILE" "$BUSY_LOCAL"; do
    (cd "$(unix_path "$folder")" && find -P . -type f -exec sha256sum {} + | sort)
  done
}

seed() {
  seed_traces
  printf '\r\n[Profile3]\r\nName=busy\r\nIsRelative=1\r\nPath=Profiles/busy.running\r\n' \
    >>"$(unix_path "$FF"'\profiles.ini')"
  mkdir -p "$(unix_path "$BUSY_PROFILE")"
  python3 "$WINE_KIT/firefox_places.py" make "$(unix_path "$BUSY_PROFILE"'\places.sqlite')"
  local name
  for name in cookies.sqlite cookies.sqlite-wal cookies.sqlite-shm parent.lock; do
    make_file "$BUSY_PROFILE\\$name" busy
  done
  make_file "$BUSY_LOCAL"'\cache2\entries\FFFF0000' busy
  busy_tree >"$ARTIFACTS/busy_before.txt"
  census "$ARTIFACTS/before.tsv"
}

scour_all() {
  driver wait press:"Check All" sleep:300 || return 1
  # One driver presses "Scour" and reads the label every 10 ms, until it shows a "Deleting - "
  # line and then until the run has finished. A driver started for each reading takes up to a
  # second on a loaded machine, longer than this run's deletions last.
  driver press:Scour until:"Deleting - ":300 until:"Finished in ":300 >"$ARTIFACTS/labels.txt" ||
    return 1
  driver close
}

drive() {
  # Firefox's hold on the busy profile, for the whole run.
  hold_file "$BUSY_PROFILE"'\parent.lock' "$HOLD_STOP" >"$ARTIFACTS/hold.txt" &
  local holder=$! result=0
  until grep -q '^held' "$ARTIFACTS/hold.txt" 2>/dev/null; do
    if ! kill -0 "$holder" 2>/dev/null; then
      fail "the lock of the busy profile could not be held: $(cat "$ARTIFACTS/hold.txt")"
      return 1
    fi
    sleep 0.2
  done
  scour_all || result=1
  make_file "$HOLD_STOP" stop
  wait "$holder"
  return "$result"
}

verify() {
  census "$ARTIFACTS/after.tsv"
  python3 "$WINE_KIT/census.py" table "$ARTIFACTS/before.tsv" "$ARTIFACTS/after.tsv" \
    >"$ARTIFACTS/census.txt"
  local caption before after
  while IFS=$'\t' read -r caption before; do
    after="$(awk -F'\t' -v c="$caption" '$1 == c { print $2 }' "$ARTIFACTS/after.tsv")"
    [[ "$before" -gt 0 ]] || fail "$caption: nothing was seeded"
    # Wine's shell forgets the recent-documents list but leaves the Recent folder's files.
    [[ "$caption" == "Recent Documents" ]] && continue
    assert_eq 0 "$after" "$caption: traces left"
  done <"$ARTIFACTS/before.tsv"
  check_keeps
  check_places
  assert_eq "$(cat "$ARTIFACTS/busy_before.txt")" "$(busy_tree)" "the profile Firefox runs with"

  local line
  while IFS= read -r line; do
    fail "$line"
  done < <(python3 "$WINE_KIT/compare_reg.py" "$WINEPREFIX" "$FIXTURES/traces.reg" "$FIXTURES/traces_scoured.reg")

  # Emptied, not removed: the history folders, the Firefox cache, the URL cache's own folder
  # (its index stays open in the program, as on Windows). The link in Temp is left alone.
  local history ie
  history="$(shell_folder History)"
  for ie in History.IE5 History.IE6 History.IE7; do assert_exists "$history\\$ie"; done
  assert_exists "$PROFILE"'\cache'
  assert_exists "$U"'\Cache'
  assert_eq "docs-link" "$(ls "$(unix_path "$U"'\Local Settings\Temp')")" "what Temp holds"

  grep -q '^Deleting - ' "$ARTIFACTS/labels.txt" || fail "no \"Deleting - \" line was seen on the label"
  assert_eq "$(expected_log all)" "$(run_log)" "the log of a full run"
}
