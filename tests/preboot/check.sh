# Counting checks for the preboot tests: a failure prints one line, the run ends with the sums.

passed=0
failed=0
skipped=0

fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

expect_eq() {  # what, actual, expected
  if [[ $2 == "$3" ]]; then passed=$((passed + 1)); else fail "$1: got \"$2\", expected \"$3\""; fi
}

expect() {  # what, command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else fail "$what"; fi
}

quiet() { "$@" > /dev/null 2>&1; }

hex_at() {  # file, offset, length
  od -An -v -tx1 -j "$(($2))" -N "$(($3))" "$1" | tr -d ' \n'
}

uint_at() {  # file, offset, size in bytes (1, 2 or 4): a little-endian number
  od -An -v -tu"$3" --endian=little -j "$(($2))" -N "$3" "$1" | tr -d ' '
}

hex_of() {  # printf format and arguments: the bytes as hex
  # shellcheck disable=SC2059
  printf "$@" | od -An -v -tx1 | tr -d ' \n'
}

summary() {  # prints the closing line; false when anything failed
  echo "preboot: $passed passed, $failed failed$( ((skipped == 0)) || echo ", $skipped skipped")"
  ((failed == 0))
}
