# The window as a user meets it, "Check All", a full run and the log it leaves.

drive() {
  driver wait boxes >"$ARTIFACTS/boxes-before.txt" || return 1
  driver layout >"$ARTIFACTS/layout.txt" || return 1
  driver press:"Check All" || return 1
  # The click is posted; the boxes are read until it has been handled (or for 10 s).
  for _ in $(seq 1 20); do
    driver boxes >"$ARTIFACTS/boxes-after.txt" || return 1
    [[ "$(grep -c '^1' "$ARTIFACTS/boxes-after.txt")" -eq 37 ]] && break
    sleep 0.5
  done
  import -window root "$ARTIFACTS/screen.png" && convert "$ARTIFACTS/screen.png" -trim +repage "$ARTIFACTS/window.png"
  driver scour:120 close
}

verify() {
  # Sixteen boxes checked at the start, in the keyboard order.
  assert_eq 16 "$(grep -c '^1' "$ARTIFACTS/boxes-before.txt")" "boxes checked at start"
  assert_eq 37 "$(wc -l <"$ARTIFACTS/boxes-before.txt")" "check boxes"
  assert_eq "1	Internet Explorer Cache" "$(head -1 "$ARTIFACTS/boxes-before.txt")" "first in tab order"
  assert_eq "1	Firefox Cookies" "$(tail -1 "$ARTIFACTS/boxes-before.txt")" "last in tab order"
  assert_eq 37 "$(grep -c '^1' "$ARTIFACTS/boxes-after.txt")" "boxes checked after Check All"

  # The scratch lists are kept in memory, never as list boxes (under Wine a list box item costs
  # about 1 KiB); the client area is 9135 x 5775 twips.
  assert_eq 0 "$(grep -ci '^ListBox	' "$ARTIFACTS/layout.txt")" "list boxes"
  assert_eq "client	Scourix 0.2	1	0,0,609,385" "$(grep '^client' "$ARTIFACTS/layout.txt")" "client area"
  assert_eq "Button	Scour	1	256,320,105,41" "$(grep '	Scour	' "$ARTIFACTS/layout.txt")" "Scour button"

  mapfile -t lines < <(log_messages)
  assert_eq 41 "${#lines[@]}" "log lines"
  assert_eq "Scourix Initialized." "${lines[0]}" "first log line"
  assert_eq "Scour started." "${lines[1]}" "second log line"
  assert_eq "Cleaning IE Cache..." "${lines[2]}" "first target"
  assert_eq "Cleaning Windows History..." "${lines[38]}" "last target"
  [[ "${lines[39]}" =~ ^Finished\ in\ [0-9]+\ seconds\.$ ]] || fail "finished line: ${lines[39]}"
  assert_eq "Scourix Decommissioned." "${lines[40]}" "last log line"
  # Every line is stamped "[H:MM date] " and ends in CRLF.
  assert_eq 41 "$(grep -c $'^\\[[0-9]*:[0-9][0-9] [^]]*\\] .*\r$' "$(log_file)")" "stamped CRLF lines"
}
