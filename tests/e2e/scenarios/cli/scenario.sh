# The command line on the full-house machine: bad arguments exit 2 and touch nothing;
# "preview --all --json" lists every seeded trace and no keep, and changes nothing; after the
# window has started and closed untouched, "clean --all" leaves what the window's run leaves,
# logs the same lines, and removes exactly the registry values and keys the preview named.

# shellcheck source=/dev/null
source "$WINE_KIT/traces.sh"

cli() { (cd "$PROGRAM_DIR" && wine 'C:\Program Files\Scourix\scourix-cli.exe' "$@"); }

seed() {
  seed_traces
  census "$ARTIFACTS/before.tsv"
}

drive() {
  local args rc
  while IFS= read -r args; do
    eval "cli $args" >"$ARTIFACTS/bad.out" 2>"$ARTIFACTS/bad.err"
    rc=$?
    [[ $rc -eq 2 ]] || echo "bad arguments ($args) exited $rc"
    [[ -s "$ARTIFACTS/bad.err" ]] || echo "bad arguments ($args) said nothing"
    cat "$ARTIFACTS/bad.err" >>"$ARTIFACTS/bad-arguments.txt"
  done <<'ARGS'
frobnicate
clean --bogus
clean --targets 'Temporary Flies'
clean --targets ''
clean --all --defaults
ARGS
  cli preview --all --json 2>"$ARTIFACTS/preview.err" | tr -d '\r' >"$ARTIFACTS/preview.json" ||
    return 1
  cli preview --all --details 2>&1 | tr -d '\r' >"$ARTIFACTS/preview.txt"
  driver wait close || return 1
  wine_settle
  census "$ARTIFACTS/untouched.tsv"
  cp "$WINEPREFIX/user.reg" "$ARTIFACTS/user-before-clean.reg"
  cli clean --all 2>&1 | tr -d '\r' >"$ARTIFACTS/clean.out"
}

verify() {
  if grep -q '^bad arguments' "$ARTIFACTS/driver.out"; then
    fail "$(grep '^bad arguments' "$ARTIFACTS/driver.out" | head -3)"
  fi
  assert_eq "$(cat "$ARTIFACTS/before.tsv")" "$(cat "$ARTIFACTS/untouched.tsv")" \
    "the census after bad arguments and the preview"

  local line
  while IFS= read -r line; do
    fail "$line"
  done < <(python3 "$SCENARIO_DIR/check_preview.py" "$ARTIFACTS/preview.json" "$PLANTED" \
    "$DRIVE_C" "$FIXTURES/traces.reg" "$ARTIFACTS/user-before-clean.reg" "$WINEPREFIX/user.reg")

  census "$ARTIFACTS/after.tsv"
  local caption before after
  while IFS=$'\t' read -r caption before; do
    after="$(awk -F'\t' -v c="$caption" '$1 == c { print $2 }' "$ARTIFACTS/after.tsv")"
    [[ "$caption" == "Recent Documents" ]] && continue  # Wine's shell leaves the files
    assert_eq 0 "$after" "$caption: traces left"
  done <"$ARTIFACTS/before.tsv"
  check_keeps
  while IFS= read -r line; do
    fail "$line"
  done < <(python3 "$WINE_KIT/compare_reg.py" "$WINEPREFIX" "$FIXTURES/traces.reg" "$FIXTURES/traces_scoured.reg")

  # The window's start and close, then the command line's run, in the order they were written.
  local logs messages
  logs="$(ls -tr "$PROGRAM_DIR"/[0-9]*.txt)"  # not the planted readme.txt
  messages="$(while IFS= read -r log; do sed -e 's/\r$//' -e 's/^\[[^]]*\] //' "$log"; done <<<"$logs" |
    sed 's/^Finished in [0-9]* seconds\.$/Finished in N seconds./')"
  assert_eq "$(printf 'Scourix Initialized.\nScourix Decommissioned.\n%s' "$(expected_log all)")" \
    "$messages" "the window's and the command line's log"
  grep -q '^Removed: .*files' "$ARTIFACTS/clean.out" || fail "clean printed no totals: $(tail -2 "$ARTIFACTS/clean.out")"
}
