# Shell test helpers, sourced: check compares what a case expects with what it got, names a
# difference (with the case in $current, when set) and counts; finish closes with the counts.
passed=0
failed=0
current=

check() {  # what expected actual
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s%s\n--- expected\n%s\n--- actual\n%s\n---\n' "${current:+$current: }" "$1" "$2" "$3" >&2
  fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
