#!/usr/bin/env bash
# Inputs that users and other programs produce: very long lines, huge numbers,
# files without line ends. Each must give a clear line of output, quickly.
set -u
convert=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0
fail=0
expect() {  # name, expected first output bytes (a prefix), input file
  local got
  got=$(timeout 10 "$convert" --untilting 50 "$3" 2>/dev/null | head -c 200)
  if [ "${got#"$2"}" != "$got" ] || [ "$got" = "$2" ]; then
    pass=$((pass + 1))
  else
    echo "FAIL $1: got '${got:0:120}'"
    fail=$((fail + 1))
  fi
}
# A line of a million characters: one error line that quotes it.
{ printf '120 30 45 20 N 90/30 # '; head -c 1000000 /dev/zero | tr '\0' 'x'; printf '\n'; } >"$work/long-comment"
expect long-comment " 142 18 231  0 S # xxxx" "$work/long-comment"
{ head -c 1000000 /dev/zero | tr '\0' '7'; printf ' 30 45 20 N 90/30\n'; } >"$work/long-number"
expect long-number "# error in surface data with 'ddd dd' format [7777" "$work/long-number"
{ printf '120 30 '; head -c 1000000 /dev/zero | tr '\0' ','; printf '\n'; } >"$work/separators"
expect separators "# more data are expected [120 30 ,,," "$work/separators"
# Hundreds of digits that still form a number.
{ printf '120 30 45 20 N '; head -c 300 /dev/zero | tr '\0' '0'; printf '90/30\n'; } >"$work/many-digits"
expect many-digits " 142 18 231  0 S " "$work/many-digits"
printf '120 30 45 20 N 90/30' >"$work/no-line-end"
expect no-line-end " 142 18 231  0 S " "$work/no-line-end"
# Every kind of line end, mixed too, across many read buffers: the same lines come
# out, and quickly (a CR-only file once rescanned its buffer for every line).
seq 200000 | awk '{ printf "%d %d 45 20 N 90/30\n", $1 % 360, $1 % 90 }' >"$work/lf"
tr '\n' '\r' <"$work/lf" >"$work/cr"
sed 's/$/\r/' "$work/lf" >"$work/crlf"
awk '{ printf "%s%s", $0, (NR % 3 == 0) ? "\n" : (NR % 3 == 1) ? "\r\n" : "\r" }' "$work/lf" >"$work/mixed"
want=$("$convert" "$work/lf" | md5sum)
for ends in cr crlf mixed; do
  if [ "$(timeout 10 "$convert" "$work/$ends" | md5sum)" = "$want" ]; then
    pass=$((pass + 1))
  else
    echo "FAIL line ends $ends: output differs from the LF file's"
    fail=$((fail + 1))
  fi
done
echo "robustness: $pass passed, $fail failed"
[ $fail = 0 ]
