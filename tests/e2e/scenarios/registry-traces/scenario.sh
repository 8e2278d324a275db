# Every registry target on a user's registry: "Check All", "Scour", and exactly the traces go.
# The fixtures are shared with the host tests: traces.reg is seeded, traces_scoured.reg is
# what must remain (blanked values, emptied keys, and every keep).

FIXTURES="$SCENARIO_DIR/../../../fixtures/cleaners"

seed() {
  reg_import "$FIXTURES/traces.reg"
}

drive() {
  driver wait press:"Check All" sleep:300 scour:120 close
}

verify() {
  # Values that no target touches prove that the seed landed as well as that they were kept.
  local line
  while IFS= read -r line; do
    fail "$line"
  done < <(python3 "$SCENARIO_DIR/compare_reg.py" "$WINEPREFIX" "$FIXTURES/traces.reg" "$FIXTURES/traces_scoured.reg")

  mapfile -t lines < <(log_messages)
  assert_eq "Cleaning Adobe Photoshop Recent..." "${lines[37]}" "last registry target in the log"
}
