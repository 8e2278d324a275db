# A start with the defaults: exactly the sixteen default targets run, in run order.

drive() {
  driver wait scour:120 close
}

verify() {
  assert_eq "$(expected_log checked)" "$(run_log)" "log of a default run"
}
