# Sourced by the package and Windows test scripts: a count of checks and the closing
# "N passed, M failed" line.
#   pass WHAT / fail WHAT       count one check and print it
#   check WHAT COMMAND...       the command's success is the check's
#   finish                      print the count and exit, non-zero when anything failed
passed=0
failed=0
pass() { passed=$((passed + 1)); echo "ok   $*"; }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
