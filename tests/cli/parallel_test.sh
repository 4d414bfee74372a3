#!/usr/bin/env bash
# The converter gives the same bytes on standard output and standard error, and
# the same exit status, whether it runs on one thread or on several.
set -u
convert=$(realpath "$1")
generate=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generate" 30000 >"$work/book.txt"
{ for _ in $(seq 5000); do echo "120 x 45 20 N"; done; cat "$work/book.txt"; } >"$work/late-stop.txt"
fail=0
check() {
  local name=$1
  shift
  ORVANE_THREADS=1 "$convert" "$@" >"$work/one.out" 2>"$work/one.err"
  local rc1=$?
  ORVANE_THREADS=3 "$convert" "$@" >"$work/many.out" 2>"$work/many.err"
  local rc2=$?
  if ! cmp -s "$work/one.out" "$work/many.out" || ! cmp -s "$work/one.err" "$work/many.err" ||
     [ $rc1 != $rc2 ]; then
    echo "FAIL $name: one thread and several differ (exit $rc1 / $rc2)"
    fail=$((fail + 1))
  fi
}
check untilted --untilting 100 --declination 2 "$work/book.txt"
check decimal --decimal --untilting 37 "$work/book.txt"
check stop-in-a-later-block --untilting abc "$work/late-stop.txt"
check declination-stop --declination x "$work/late-stop.txt"
check output-file -o "$work/out" --untilting 50 "$work/book.txt"
[ $fail = 0 ] && echo "parallel: 5 passed, 0 failed"
[ $fail = 0 ]
