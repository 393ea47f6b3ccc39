# Sourced by the shell tests: check/eventually/finish and the count of
# failed checks.
failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
# Retries a condition for up to 30 s: windows, files and processes come
# and go in their own time.
eventually() {
  for _ in $(seq 1 150); do "$@" && return 0; sleep 0.2; done
  return 1
}
finish() {
  echo "$failures failed"
  [[ $failures -eq 0 ]]
}
