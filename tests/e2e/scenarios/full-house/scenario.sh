# All 37 targets on one seeded machine: "Check All", "Scour", close. Every target's traces go,
# every keep stays, the registry is exactly what must remain, and the log tells the run in order.

# shellcheck source=/dev/null
source "$WINE_KIT/traces.sh"

seed() {
  seed_traces
  census "$ARTIFACTS/before.tsv"
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
