# On a system that reports Windows XP the first start leaves the visual-styles manifest beside
# the program, hidden, system, read-only and archive; the second start leaves it as it is.
# Wine draws the window frame itself on a virtual desktop, so the screenshot shows the icon.

MANIFEST='C:\Program Files\Scourix\scourix.exe.manifest'

seed() {
  wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
}

drive() {
  driver wait sleep:500 || return 1
  import -window root "$ARTIFACTS/screen.png"
  driver close || return 1
  wine_settle
  cp "$(unix_path "$MANIFEST")" "$ARTIFACTS/first.manifest"
  stat -c %Y "$(unix_path "$MANIFEST")" >"$ARTIFACTS/first.mtime"
  sleep 1.1
  run_program >"$ARTIFACTS/second.out" 2>&1 &
  driver wait close
}

verify() {
  local file
  file="$(unix_path "$MANIFEST")"
  assert_exists "$MANIFEST"
  assert_eq 22 "$(grep -c $'\r$' "$ARTIFACTS/first.manifest")" "manifest lines ending in CRLF"
  assert_eq 2 "$(grep -c '^processorArchitecture="amd64"'$'\r$' "$ARTIFACTS/first.manifest")" \
    "architecture lines naming the program's own"
  assert_eq '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>' \
    "$(head -1 "$ARTIFACTS/first.manifest" | tr -d '\r')" "first line"
  assert_eq '</assembly>' "$(tail -1 "$ARTIFACTS/first.manifest" | tr -d '\r')" "last line"
  # Archive, system, hidden and read-only, as attrib shows them.
  assert_eq "AS  HR" "$(wine cmd /c attrib "$MANIFEST" 2>/dev/null | cut -c1-6)" "attributes"
  # The second start found it and wrote nothing.
  cmp -s "$ARTIFACTS/first.manifest" "$file" || fail "the second start changed the manifest"
  assert_eq "$(cat "$ARTIFACTS/first.mtime")" "$(stat -c %Y "$file")" "manifest time"
  # The written manifest does not keep the program from starting again.
  assert_eq 2 "$(cat "$PROGRAM_DIR"/*.txt | grep -c 'Scourix Initialized')" "starts logged"
}
