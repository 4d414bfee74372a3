#!/usr/bin/env bash
# orvane-convert --stereonet as a user runs it: the SVG read back with xmllint, the
# count note adding up to the lines of the run, the PNG where the build draws one,
# and files that cannot be written.
set -u
convert=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0
fail=0
check() {  # name, then a command that must succeed
  local name=$1
  shift
  if "$@"; then
    pass=$((pass + 1))
  else
    echo "FAIL $name"
    fail=$((fail + 1))
  fi
}
xpath() { xmllint --xpath "$1" "$2" 2>/dev/null; }
in_group() { echo "//*[local-name()='g'][@class='$1']//*[local-name()='$2']"; }

# Ten lines: six that convert, a comment, a blank line and two unreadable lines.
cat >"$work/book.txt" <<'EOF'
# Field notes
120 30 45 20 N          # site 1
N28E32S R70N N          # site 1
210/65 215/60 R         # site 2

NS70W P5S D             # site 2
40 85 N40W03N S         # site 3
35 50 N                 # site 6: lineation not written down
300/45 AS60E R          # site 5
x y z
EOF
lines=$(wc -l <"$work/book.txt")

"$convert" "$work/book.txt" >"$work/plain.out" 2>/dev/null
"$convert" --stereonet "$work/net.svg" "$work/book.txt" >"$work/with-net.out" 2>"$work/err"
status=$?
check "exit status 1 for the unreadable lines" test "$status" = 1
check "standard output unchanged by --stereonet" cmp -s "$work/plain.out" "$work/with-net.out"
check "SVG well-formed" xmllint --noout "$work/net.svg"
converted=$(grep -c '^ *[0-9]' "$work/plain.out")
circles=$(xpath "count($(in_group great-circles path))" "$work/net.svg")
check "one great circle per converted line ($circles of $converted)" test "$circles" = "$converted"
drawn=$(xpath "string($(in_group count text)[1])" "$work/net.svg")
left=$(xpath "string($(in_group count text)[2])" "$work/net.svg")
check "count note '$drawn', '$left' adds up to $lines lines" \
  test "$((${drawn%% *} + ${left%% *}))" = "$lines"
check "count note wording" test "${drawn#* }" = "faults drawn" -a "${left#* }" = "lines left out"

# Through a symbolic link: the link stays, its target is replaced.
printf 'old' >"$work/real.svg"
ln -s real.svg "$work/link.svg"
"$convert" --stereonet "$work/link.svg" "$work/book.txt" >/dev/null 2>&1
check "link kept" test -L "$work/link.svg"
check "link target replaced" cmp -s "$work/real.svg" "$work/net.svg"

# Names that cannot be written are known before the input is read: nothing is
# converted, the status is 2, the message names the file, and nothing is left behind.
mkdir "$work/out"
"$convert" --stereonet "$work/out/missing/net.svg" "$work/book.txt" >"$work/missing.out" 2>"$work/err"
status=$?
check "missing folder: exit status 2" test "$status" = 2
check "missing folder: no output" test ! -s "$work/missing.out"
check "missing folder: message" grep -qF \
  "orvane-convert: cannot write '$work/out/missing/net.svg': No such file or directory" "$work/err"
"$convert" --stereonet "$work/out/net.txt" "$work/book.txt" >/dev/null 2>"$work/err"
status=$?
check "other extension: exit status 2" test "$status" = 2
check "other extension: message" grep -qF \
  "orvane-convert: cannot write '$work/out/net.txt': the name must end in .svg or .png" "$work/err"
check "nothing left behind" test -z "$(ls -A "$work/out")"

# PNG where the build has Qt's painting; otherwise a clear refusal.
"$convert" --stereonet "$work/out/net.PNG" "$work/book.txt" >/dev/null 2>"$work/err"
if [ -f "$work/out/net.PNG" ]; then
  check "PNG signature" test "$(head -c 8 "$work/out/net.PNG" | od -An -tx1 | tr -d ' \n')" \
    = "89504e470d0a1a0a"
else
  check "PNG refused by a build without Qt" grep -qF "this build writes no PNG" "$work/err"
fi

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
