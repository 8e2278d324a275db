# A machine without the shell-folder values and without the keys that gate later cleaner
# steps: "Check All", "Scour". A value that is missing would make "" + "\Temp" or
# "" + "\History.IE5" name a folder at the root of the current drive, so traps wait there;
# nothing outside a named folder may go, and the gated steps leave their keys alone.

TRAPS=(
  'C:\canary.txt'
  'C:\me@site[1].txt'
  'C:\Temp\report.doc'
  'C:\History.IE5\notes.txt'
  'C:\History.IE6\sub\notes.txt'
  'C:\History.IE7\notes.txt'
  'C:\Mozilla\Firefox\Profiles\trap\history.dat'
  'C:\Mozilla\Firefox\Profiles\trap\cookies.txt'
  'C:\Mozilla\Firefox\Profiles\trap\cache\0\A1B2'
  'C:\Program Files\Scourix\readme.txt'
)
FOLDER_VALUES=(Cookies Cache "Local Settings" History AppData)

seed() {
  reg_import "$SCENARIO_DIR/optional_keys.reg"
  local key name removal='REGEDIT4'
  for key in 'Shell Folders' 'User Shell Folders'; do
    removal+=$'\n\n'"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key]"
    for name in "${FOLDER_VALUES[@]}"; do removal+=$'\n'"\"$name\"=-"; done
  done
  printf '%s\n' "$removal" >"$ARTIFACTS/no-folders.reg"
  reg_import "$ARTIFACTS/no-folders.reg"

  local trap
  for trap in "${TRAPS[@]}"; do make_file "$trap" keep; done
  make_file 'C:\Mozilla\Firefox\profiles.ini' "$(printf '[Profile0]\r\nIsRelative=1\r\nPath=Profiles/trap\r\n')"
}

drive() {
  driver wait press:"Check All" sleep:300 scour:120 close
}

verify() {
  local trap
  for trap in "${TRAPS[@]}"; do
    assert_eq keep "$(cat "$(unix_path "$trap")" 2>/dev/null)" "$trap"
  done
  local line
  while IFS= read -r line; do
    fail "$line"
  done < <(python3 "$WINE_KIT/compare_reg.py" "$WINEPREFIX" "$SCENARIO_DIR/optional_keys.reg" "$SCENARIO_DIR/optional_keys.reg")
  assert_eq "$(expected_log all)" "$(run_log)" "the log of a run without the values"
  # For the record: which values the platform put back during the run.
  reg_values 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    >"$ARTIFACTS/shell-folders-after.txt"
}
