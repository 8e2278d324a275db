# The runs of the hostile-folders scenario and what each one sets up and checks.

USER_NAME="$(whoami)"
HOME_FOLDER="C:\\users\\$USER_NAME"
WIN_LOCAL="$HOME_FOLDER\\AppData\\Local\\Microsoft\\Windows"
FIREFOX="$HOME_FOLDER\\AppData\\Roaming\\Mozilla\\Firefox"
SWAP_FILES=5000
TREE_STATE="$SCENARIO_DIR/tree_state.py"

# The legitimate value of each shell folder; a run's "-" stands for it.
declare -A LEGIT=(
  [Cookies]="$WIN_LOCAL\\INetCookies"
  [Cache]="$WIN_LOCAL\\INetCache"
  ["Local Settings"]="$HOME_FOLDER\\Local Settings"
  [History]="$WIN_LOCAL\\History"
  [AppData]="$HOME_FOLDER\\AppData\\Roaming"
)
FOLDER_NAMES=(Cookies Cache "Local Settings" History AppData)

# One run a row: its name, then the values of Cookies, Cache, Local Settings, History and
# AppData; "-" is the legitimate folder, <home> the profile folder. As Windows reads them,
# the other values name a drive root or the profile folder, some behind a prefix ("\\?\",
# "\\.\") that the folder check must see through.
RUN_TABLE='
traps     -                 -                  -         -         -
swap      -                 -                  -         -         -
values-1  <home>\x/..       -                  C:\x/..   C:\       \\?\C:\
values-2  -                 <home>\nothere/..  C:\       \\?\C:\   \\.\C:\
values-3  -                 C:\Windows/..      \\?\C:\   \\.\C:\   C:\x/..
values-4  -                 C:\./              \\.\C:\   C:\x/..   C:\
'

run_names() { awk 'NF { print $1 }' <<<"$RUN_TABLE"; }
run_row() { awk -v n="$1" '$1 == n { print; found = 1 } END { exit !found }' <<<"$RUN_TABLE"; }

# The value a run gives a shell folder: run_value RUN NAME
run_value() {
  local -a row
  read -r -a row < <(run_row "$1")
  local i
  for i in "${!FOLDER_NAMES[@]}"; do
    [[ "${FOLDER_NAMES[$i]}" == "$2" ]] || continue
    local value="${row[$((i + 1))]}"
    if [[ "$value" == - ]]; then
      echo "${LEGIT[$2]}"
    else
      echo "${value//<home>/$HOME_FOLDER}"
    fi
  done
}
is_legit() { [[ "$(run_value "$1" "$2")" == "${LEGIT[$2]}" ]]; }

# Unix path below drive_c of a C: path, as the snapshots name entries.
rel_path() {
  local path
  path="$(unix_path "$1")"
  echo "${path#"$DRIVE_C"/}"
}

# Wine links the profile's Desktop, Documents and the like to the Unix home folder. They
# point into the prefix here, so that no fault can reach beyond it.
seed_machine() {
  local link
  mkdir -p "$DRIVE_C/home-behind-links"
  printf keep >"$DRIVE_C/home-behind-links/precious.doc"
  for link in "$(unix_path "$HOME_FOLDER")"/* "$(unix_path "$HOME_FOLDER")"/AppData/Roaming/Microsoft/Windows/*; do
    [[ -L "$link" && "$(readlink "$link")" == "$HOME" ]] && ln -sfn "$DRIVE_C/home-behind-links" "$link"
  done
}

# Registry links among the subkeys that steps empty and delete, each to a canary key that no
# step names: "link target", subkeys of HKEY_CURRENT_USER.
REG_TRAPS=(
  'Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\.trap Software\ScourixCanary\RecentDocs'
  'Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\trap Software\ScourixCanary\OpenSaveMRU'
)

# Things outside every legitimate folder, planted (again) before each run; any change to them
# (or to anything else outside the named folders) fails the run that made it.
plant_traps() {
  local trap
  for trap in \
    'C:\canary.txt' 'C:\me@site[1].txt' 'C:\history.dat' 'C:\cookies.txt' 'C:\cache\0\A1B2' \
    'C:\Temp\report.doc' 'C:\Temp\sub\deep.txt' 'C:\History.IE5\notes.txt' \
    'C:\History.IE6\sub\notes.txt' 'C:\History.IE7\notes.txt' \
    'C:\Mozilla\Firefox\Profiles\trap\history.dat' 'C:\Mozilla\Firefox\Profiles\trap\cookies.txt' \
    'C:\Mozilla\Firefox\Profiles\trap\cache\0\A1B2' \
    'C:\windows\history.dat' 'C:\windows\cookies.txt' 'C:\windows\cache\0\A1B2' \
    "$HOME_FOLDER\\notes.txt" "$HOME_FOLDER\\me@site[1].txt" "$HOME_FOLDER\\Favorites\\bank.url" \
    "$HOME_FOLDER\\Temp\\keep.tmp" "$HOME_FOLDER\\Local Settings\\keep.dat" \
    'C:\Outside\c.txt' 'C:\Outside\hard.txt' 'C:\Outside\sub\deep.txt' \
    'C:\Outside\behind-x\a.txt' 'C:\Outside\behind-x\sub\b.txt' \
    'C:\Outside\behind-swap\a.txt' 'C:\Outside\behind-swap\sub\b.txt' \
    'C:\Program Files\Scourix\readme.txt'; do
    make_file "$trap" keep
  done
  # Wine's RemoveDirectoryW of "y " drops the space and removes what the link "y" leads to
  # when that is empty.
  mkdir -p "$DRIVE_C/Outside/behind-y"
  make_file 'C:\Mozilla\Firefox\profiles.ini' \
    "$(printf '[Profile0]\r\nIsRelative=1\r\nPath=Profiles/trap\r\n')"
  local pair
  for pair in "${REG_TRAPS[@]}"; do
    # shellcheck disable=SC2086 # the pair is two words
    reg_link plant $pair || fail "the registry link $pair could not be planted"
  done
}

# trace RUN 'C:\path' [folder]: a trace the run must remove (a folder when the third
# argument is "folder"); recorded for verify_run.
trace() {
  if [[ "${3:-}" == folder ]]; then
    mkdir -p "$(unix_path "$2")"
  else
    make_file "$2" trace
  fi
  printf '%s\n' "$2" >>"$ARTIFACTS/$1-traces.txt"
}

# The folders whose insides the run may change: those its legitimate values name, the fixed
# ones and the shell's own Recent folder.
allowed_folders() {
  local run="$1" ie
  echo 'windows/temp'
  echo 'windows/Cookies'
  echo "$(rel_path "$HOME_FOLDER")/AppData/Roaming/Microsoft/Windows/Recent"
  if is_legit "$run" Cookies; then rel_path "${LEGIT[Cookies]}"; fi
  if is_legit "$run" Cache; then rel_path "${LEGIT[Cache]}"; fi
  if is_legit "$run" "Local Settings"; then rel_path "${LEGIT["Local Settings"]}\\Temp"; fi
  if is_legit "$run" History; then
    for ie in IE5 IE6 IE7; do rel_path "${LEGIT[History]}\\History.$ie"; done
  fi
}

# Sets the values in both keys (wininet rewrites "Shell Folders" from "User Shell Folders"),
# plants the run's traces and traps, and takes the "before" picture.
prepare_run() {
  local run="$1" key name value reg='REGEDIT4'
  : >"$ARTIFACTS/$run-traces.txt"
  for key in 'Shell Folders' 'User Shell Folders'; do
    reg+=$'\n\n'"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key]"
    for name in "${FOLDER_NAMES[@]}"; do
      value="$(run_value "$run" "$name")"
      value="${value//\\/\\\\}"
      reg+=$'\n'"\"$name\"=\"$value\""
    done
  done
  printf '%s\n' "$reg" >"$ARTIFACTS/$run.reg"
  # Z: is the Unix root: the file's Windows name without a winepath start.
  local reg_file="Z:$ARTIFACTS/$run.reg"
  wine regedit /S "${reg_file//\//\\}" >/dev/null 2>&1 || fail "run $run: the values could not be set"
  plant_traps

  if is_legit "$run" Cookies; then
    trace "$run" "${LEGIT[Cookies]}\\me@site[1].txt"
    trace "$run" "${LEGIT[Cookies]}\\me@other[2].txt"
  fi
  if is_legit "$run" Cache; then trace "$run" "${LEGIT[Cache]}\\Content.IE5\\X1Y2\\page[1].htm"; fi
  local temp="${LEGIT["Local Settings"]}\\Temp"
  # What earlier runs left in Temp (links, unremoved folders) would blur what this run does.
  mkdir -p "$(unix_path "$temp")"
  find "$(unix_path "$temp")" -mindepth 1 -delete
  if is_legit "$run" "Local Settings"; then
    trace "$run" "$temp\\report.tmp"
    trace "$run" "$temp\\sub\\part.tmp"
  fi
  if is_legit "$run" History; then
    trace "$run" "${LEGIT[History]}\\History.IE6\\container.dat"
    trace "$run" "${LEGIT[History]}\\History.IE7\\MSHist012026113020261207\\index.dat"
  fi
  trace "$run" 'C:\windows\temp\setup.tmp'
  trace "$run" 'C:\windows\Cookies\sys@site[1].txt'

  local profile_path='Profiles/abc.default' relative=1
  case "$run" in
    traps)
      prepare_traps "$run" "$temp"
      relative=0 profile_path="C:\\"
      ;;
    swap)
      prepare_swap "$run" "$temp"
      relative=0 profile_path='C:\windows'
      ;;
  esac
  make_file "$FIREFOX\\profiles.ini" \
    "$(printf '[Profile0]\r\nIsRelative=%s\r\nPath=%s\r\n' "$relative" "$profile_path")"

  python3 "$TREE_STATE" snap "$DRIVE_C" "$ARTIFACTS/$run-before.txt"
}

# In Temp: a real folder "x." beside a link "x" to a folder in C:\Outside (the same with "y "
# and "y"); a link to the file C:\Outside\c.txt; a file "x\a.txt" and a folder "x\sub", Unix
# names that Wine lists as they are and that, read as paths, lead through the link "x". In
# Cookies: a hard link to C:\Outside\hard.txt. Each leads somewhere else, so a change there
# names the trap that failed.
prepare_traps() {
  local run="$1" temp="$2" name
  for name in 'x' 'y'; do
    local literal="$name."
    [[ "$name" == y ]] && literal='y '
    trace "$run" "$temp\\$literal" folder
    printf trace >"$(unix_path "$temp")/$literal/inside.tmp"
    ln -sfn "$DRIVE_C/Outside/behind-$name" "$(unix_path "$temp")/$name"
  done
  ln -sf "$DRIVE_C/Outside/c.txt" "$(unix_path "$temp")/c-link.txt"
  printf trace >"$(unix_path "$temp")/x\\a.txt"
  mkdir "$(unix_path "$temp")/x\\sub" && printf trace >"$(unix_path "$temp")/x\\sub/b.txt"
  ln -f "$DRIVE_C/Outside/hard.txt" "$(unix_path "${LEGIT[Cookies]}")/me@hard[1].txt"
}

# In Temp: "swap-first" with many files, then "swap-second", which drive_run swaps for a link
# to C:\Outside\behind-swap while the program deletes the first folder's files.
prepare_swap() {
  local run="$1" temp="$2" i first
  first="$(unix_path "$temp")/swap-first"
  mkdir -p "$first"
  for ((i = 0; i < SWAP_FILES; i++)); do printf x >"$first/f$i.tmp"; done
  trace "$run" "$temp\\swap-first" folder
  trace "$run" "$temp\\swap-second\\part.tmp"
}

drive_run() {
  local run="$1"
  if [[ "$run" != swap ]]; then
    driver wait press:"Check All" sleep:300 scour:120 close >"$ARTIFACTS/$run-finished.txt"
    return
  fi
  driver wait press:"Check All" sleep:300 press:Scour until:swap-first:60 >"$ARTIFACTS/swap-label.txt" ||
    return 1
  local temp second
  temp="$(unix_path "${LEGIT["Local Settings"]}\\Temp")"
  second="$temp/swap-second"
  rm -rf "$second" && ln -s "$DRIVE_C/Outside/behind-swap" "$second"
  # Files still there after the swap: the program had not reached the second folder yet.
  find "$temp/swap-first" -type f | wc -l >"$ARTIFACTS/swap-files-ahead.txt"
  driver "until:Finished in :120" close >"$ARTIFACTS/$run-finished.txt"
}

# Notes the values the run saw and the traces it left, keeps its logs, then takes the "after"
# picture. Later runs change the same folders, so all of this is read now.
finish_run() {
  local run="$1"
  wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' |
    tr -d '\r' | awk '/^    / { sub(/^    /, ""); split($0, f, /    [A-Z_]+    /); print f[1] "=" f[2] }' \
    >"$ARTIFACTS/$run-shell-folders.txt"
  local path
  while IFS= read -r path; do
    if [[ -e "$(unix_path "$path")" ]]; then printf '%s\n' "$path"; fi
  done <"$ARTIFACTS/$run-traces.txt" >"$ARTIFACTS/$run-traces-left.txt"
  mkdir -p "$ARTIFACTS/$run-logs"
  find "$PROGRAM_DIR" -maxdepth 1 -name '*.txt' ! -name readme.txt -exec mv {} "$ARTIFACTS/$run-logs/" \;
  python3 "$TREE_STATE" snap "$DRIVE_C" "$ARTIFACTS/$run-after.txt"
  local pair
  for pair in "${REG_TRAPS[@]}"; do
    # shellcheck disable=SC2086 # the pair is two words
    printf '%s: %s\n' "${pair%% *}" "$(reg_link check $pair)"
  done >"$ARTIFACTS/$run-reg-traps.txt"
}

verify_run() {
  local run="$1" name expected actual
  [[ -f "$ARTIFACTS/$run-after.txt" ]] || {
    fail "run $run did not take place"
    return
  }
  # The run tested what it says: the values were still in place when it ended.
  for name in "${FOLDER_NAMES[@]}"; do
    expected="$(run_value "$run" "$name")"
    actual="$(awk -v name="$name" 'index($0, name "=") == 1 { print substr($0, length(name) + 2) }' \
      "$ARTIFACTS/$run-shell-folders.txt")"
    assert_eq "$expected" "$actual" "run $run: Shell Folders $name after the run"
  done

  # Nothing outside the named folders changed.
  local -a allowed changes
  mapfile -t allowed < <(allowed_folders "$run")
  mapfile -t changes < <(python3 "$TREE_STATE" diff "$ARTIFACTS/$run-before.txt" \
    "$ARTIFACTS/$run-after.txt" "${allowed[@]}")
  if ((${#changes[@]} > 0)); then
    printf '%s\n' "${changes[@]}" >"$ARTIFACTS/$run-changes.txt"
    fail "run $run changed ${#changes[@]} entries outside the named folders ($(summarize_changes "$ARTIFACTS/$run-changes.txt")); first: ${changes[0]//$'\t'/ }"
  fi

  # The registry links, and the keys they lead to, are as they were.
  local line
  while IFS= read -r line; do
    [[ "$line" == *": link kept, target values 2 of 2" ]] || fail "run $run: registry trap $line"
  done <"$ARTIFACTS/$run-reg-traps.txt"

  # The traces in the named folders are gone.
  local path
  while IFS= read -r path; do
    fail "run $run left a trace: $path"
  done <"$ARTIFACTS/$run-traces-left.txt"

  # One log, beside the program, complete.
  local -a logs
  mapfile -t logs < <(find "$ARTIFACTS/$run-logs" -type f)
  assert_eq 1 "${#logs[@]}" "run $run: log files beside the program"
  if ((${#logs[@]} == 1)); then
    actual="$(sed -e 's/\r$//' -e 's/^\[[0-9]*:[0-9][0-9] [^]]*\] //' \
      -e 's/^Finished in [0-9]* seconds\.$/Finished in N seconds./' "${logs[0]}")"
    assert_eq "$(expected_log all)" "$actual" "run $run: the log"
  fi

  if [[ "$run" == swap ]]; then
    local ahead
    ahead="$(cat "$ARTIFACTS/swap-files-ahead.txt" 2>/dev/null || echo 0)"
    ((ahead > 0)) || fail "run swap: the folder was swapped too late to test anything"
  fi
}

# Where the changes are: "C:\Temp 3, profile 12, windows\system32 400, C:\Outside\c.txt 1"
summarize_changes() {
  local home
  home="$(rel_path "$HOME_FOLDER")"
  awk -F'\t' -v home="$home" '
    { path = $2
      if (index(path, home "/") == 1) area = "profile"
      else if (index(path, "windows/system32/") == 1) area = "windows\\system32"
      else if (path !~ /\//) area = "drive root"
      else if (index(path, "Outside/") == 1) { split(path, part, "/"); area = "C:\\Outside\\" part[2] }
      else { split(path, part, "/"); area = "C:\\" part[1] }
      count[area]++ }
    END { sep = ""; for (a in count) { printf "%s%s %d", sep, a, count[a]; sep = ", " } }' "$1"
}
