# On Windows 7 the program brings its own manifest inside and writes none beside itself.

seed() {
  wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
}

drive() {
  driver wait close
}

verify() {
  assert_eq "Scourix Initialized." "$(log_messages | head -1)" "first log line"
  assert_missing 'C:\Program Files\Scourix\scourix.exe.manifest'
}
