# The keyboard works as in any Windows dialog: Tab walks the boxes and buttons in the tab order
# (the Firefox boxes last, after "Check All"), Space toggles the focused box.

drive() {
  driver wait || return 1
  local steps=()
  for _ in $(seq 1 39); do steps+=(key:tab focus); done
  driver "${steps[@]}" >"$ARTIFACTS/focus.txt" || return 1
  # The focus is now on "Firefox Cookies" (checked by default): Space clears it.
  driver key:space boxes >"$ARTIFACTS/boxes.txt" || return 1
  driver close
}

verify() {
  # The hidden lists take no focus: "Scour" (tab index 3) comes first.
  assert_eq "Scour" "$(sed -n 1p "$ARTIFACTS/focus.txt")" "first Tab"
  assert_eq "Internet Explorer Cache" "$(sed -n 2p "$ARTIFACTS/focus.txt")" "second Tab"
  assert_eq "Windows Cookies" "$(sed -n 5p "$ARTIFACTS/focus.txt")" "Firefox skipped"
  assert_eq "Windows History" "$(sed -n 6p "$ARTIFACTS/focus.txt")" "row 8 after row 7"
  assert_eq "Adobe Photoshop Recent" "$(sed -n 35p "$ARTIFACTS/focus.txt")" "last of column 3"
  assert_eq "Check All" "$(sed -n 36p "$ARTIFACTS/focus.txt")" "Check All before Firefox"
  assert_eq "Firefox Cache" "$(sed -n 37p "$ARTIFACTS/focus.txt")" "Firefox after Check All"
  assert_eq "Firefox Cookies" "$(sed -n 39p "$ARTIFACTS/focus.txt")" "last box"
  assert_eq "0	Firefox Cookies" "$(grep 'Firefox Cookies' "$ARTIFACTS/boxes.txt")" "Space toggles"
}
