# A machine set up against the cleaner: shell-folder values that Windows reads as a drive root,
# the profile folder or the Windows folder; a real folder "x." beside a link "x" (and "y "
# beside "y") in Temp; a hard link in the Cookies folder and a file link in Temp to files
# elsewhere; Unix names in Temp holding a backslash, which read as paths lead through a link;
# Firefox profiles at C:\ and C:\windows; a Temp subfolder swapped for a link while the purge
# runs; registry links, among the subkeys the MRU steps empty, to canary keys. The
# program runs several times ("Check All", "Scour"), one set of values per run. Each run may
# change only what is inside the folders its legitimate values name: the whole drive (its
# root, the profile folder, windows\system32, C:\Outside) is compared before and after every
# run, the traces in the named folders go, and each run's log is complete and beside the
# program.
#
# HOSTILE_RUNS="swap values-2" picks runs by name (all by default).

# shellcheck source=/dev/null
source "$SCENARIO_DIR/runs.sh"

seed() {
  seed_machine
  SELECTED_RUNS=()
  local name
  for name in ${HOSTILE_RUNS:-$(run_names)}; do
    run_row "$name" >/dev/null || fail "no run named $name"
    SELECTED_RUNS+=("$name")
  done
  # run.sh starts the program right after this: the first run is set up now.
  prepare_run "${SELECTED_RUNS[0]}"
}

drive() {
  local index name program started failed=0
  for index in "${!SELECTED_RUNS[@]}"; do
    name="${SELECTED_RUNS[$index]}"
    started=$SECONDS
    if ((index > 0)); then
      if [[ ! -f "$DRIVE_C/windows/system32/kernel32.dll" ]]; then
        echo "the prefix lost its system folder; run $name and later runs are skipped"
        failed=1
        break
      fi
      prepare_run "$name"
      run_program >"$ARTIFACTS/program-$name.out" 2>&1 &
      program=$!
    fi
    if ! drive_run "$name"; then
      # Seen once in CI: the driver failed within seconds and the program wrote no log. A
      # fault of the program fails again; one of the harness does not, so the run is tried
      # once more from a fresh set-up before it counts as failed.
      echo "run $name: the driver failed; trying the run once more"
      wineserver -k
      if ((index > 0)); then wait "$program"; fi
      prepare_run "$name"
      run_program >"$ARTIFACTS/program-$name-again.out" 2>&1 &
      program=$!
      if ! drive_run "$name"; then
        echo "run $name: the driver failed again"
        failed=1
        wineserver -k  # ends a program that no driver can close any more
      fi
      index=1  # the program to wait for is this one
    fi
    if ((index == 0)); then
      # The first program is run.sh's. From here on the server stays up between runs: each
      # Wine start then takes a fraction of a second instead of seconds.
      wine_settle
      wineserver -p
    else
      wait "$program"
    fi
    finish_run "$name"
    echo "run $name: $((SECONDS - started)) s"
  done
  wineserver -k  # saves the registry for verify
  return $failed
}

verify() {
  local name
  for name in "${SELECTED_RUNS[@]}"; do verify_run "$name"; done
}
