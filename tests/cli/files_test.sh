#!/usr/bin/env bash
# The converter's files and streams: -o and --stereonet never damage what was
# there, signals leave no temporary file, closed or full standard streams are
# reported, a line over 1 MiB is one error line.
set -u
convert=$(realpath "$1")
generate=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
pass=0
fail=0
check() {  # name, then a command that succeeds when the case holds
  local name=$1
  shift
  if "$@"; then
    pass=$((pass + 1))
  else
    echo "FAIL $name"
    fail=$((fail + 1))
  fi
}
"$generate" 200000 >book.txt
printf '120 30 45 20 N # a\n35 50 N\n' >small.txt
printf 'old file\r\n' >old.fdt
# The old file unchanged and no temporary file beside it.
untouched() { cmp -s "$1" old.fdt && [ -z "$(ls | grep -F '.tmp-')" ]; }

# Exit 2 leaves an existing file as it was and creates none.
cp old.fdt out.fdt
"$convert" --declination 2W -o out book.txt 2>err.txt
check "stopped run: exit 2" [ $? = 2 ]
check "stopped run: old file kept" untouched out.fdt
check "stopped run: message" grep -qx 'book.txt:1: Declination "2W" is not a number' err.txt
"$convert" --declination 2W -o new book.txt 2>/dev/null
check "stopped run: no new file" [ ! -e new.fdt ]
mkdir folder
"$convert" -o out folder 2>err.txt
check "input is a folder: exit 2" [ $? = 2 ]
check "input is a folder: old file kept" untouched out.fdt
check "input is a folder: message" grep -qx "orvane-convert: cannot read 'folder': Is a directory" err.txt
"$convert" -o out --stereonet net.txt book.txt 2>err.txt
check "stereonet cannot be written: exit 2" [ $? = 2 ]
check "stereonet cannot be written: old file kept" untouched out.fdt

# A signal during the run removes the temporary file and ends the program by it.
for signal in TERM HUP INT; do
  rm -f fifo
  mkfifo fifo
  cp old.fdt out.fdt
  # A job of its own, so that SIGINT is not ignored as in a background job.
  set -m
  "$convert" -o out fifo 2>/dev/null &
  pid=$!
  set +m
  exec 3>fifo
  cat book.txt >&3  # returns once the converter has read nearly all of it
  tmp=$(ls | grep -cF 'out.fdt.tmp-')
  kill -"$signal" "$pid"
  { wait "$pid"; } 2>/dev/null  # no "Terminated" from the shell
  rc=$?
  exec 3>&-
  check "SIG$signal: temporary file existed" [ "$tmp" = 1 ]
  check "SIG$signal: exit 128 + signal (got $rc)" [ $rc = $((128 + $(kill -l "$signal"))) ]
  check "SIG$signal: old file kept, temporary file gone" untouched out.fdt
done

# Input and output one file: refused before anything is read.
cp small.txt same.fdt
ln -s same.fdt link.fdt
for args in "same.fdt -o same.fdt" "same.fdt -o same" "link.fdt -o same" "same.fdt -o link" \
  "same.fdt --stereonet link.fdt" "-o same"; do
  # shellcheck disable=SC2086
  "$convert" $args <same.fdt >/dev/null 2>err.txt
  rc=$?
  check "same file ($args): exit 64" [ $rc = 64 ]
  check "same file ($args): message" grep -qx "orvane-convert: input and output are the same file" err.txt
  check "same file ($args): unchanged" cmp -s same.fdt small.txt
done

# -o to a link replaces the file it points to; the link stays.
cp old.fdt target.fdt
ln -s target.fdt out-link.fdt
"$convert" -o out-link small.txt 2>/dev/null
check "link: still a link" [ -L out-link.fdt ]
check "link: target written" [ "$(cat target.fdt)" = "$(printf ' 120 30  50 11 N # a\r')" ]

# Closed standard streams: diagnostics never land in the output file.
"$convert" -o closed small.txt 2>&-
check "2>&-: exit 1" [ $? = 1 ]
check "2>&-: file holds only the output" [ "$(cat closed.fdt)" = "$(printf ' 120 30  50 11 N # a\r')" ]
"$convert" small.txt 2>err.txt >&-
check "1>&-: exit 2" [ $? = 2 ]
check "1>&-: message" grep -qx "orvane-convert: cannot write '-': Bad file descriptor" err.txt
"$convert" 2>err.txt <&-
check "0<&-: exit 2" [ $? = 2 ]
check "0<&-: message" grep -qx "orvane-convert: cannot read '-': Bad file descriptor" err.txt

# Standard output that cannot be written.
if [ -w /dev/full ]; then
  "$convert" book.txt >/dev/full 2>err.txt
  check "/dev/full: exit 2" [ $? = 2 ]
  check "/dev/full: message" grep -qx "orvane-convert: cannot write '-': No space left on device" err.txt
  for option in --help --version; do
    "$convert" $option >/dev/full 2>err.txt
    check "$option >/dev/full: exit 2" [ $? = 2 ]
    check "$option >/dev/full: message" grep -qx "orvane-convert: cannot write '-': No space left on device" err.txt
  done
fi
(
  trap '' PIPE
  "$convert" book.txt 2>err.txt | head -c 10 >/dev/null
  exit "${PIPESTATUS[0]}"
)
check "broken pipe, SIGPIPE ignored: exit 2" [ $? = 2 ]
check "broken pipe: message" grep -qx "orvane-convert: cannot write '-': Broken pipe" err.txt

# A line over 1 MiB is one error line keeping its first 1 MiB; the run goes on.
{ printf '120 30 45 20 N\n'; head -c 1500000 /dev/zero | tr '\0' 'x'; printf '\n120 30 45 20 N\n'; } >long.txt
"$convert" long.txt >long.out 2>err.txt
check "overlong line: exit 1" [ $? = 1 ]
check "overlong line: message" grep -qx "long.txt:2: line longer than 1048576 bytes" err.txt
{ printf ' 120 30  50 11 N \n# line longer than 1048576 bytes ['; head -c 1048576 /dev/zero | tr '\0' 'x'; printf ']\n 120 30  50 11 N \n'; } >long.want
check "overlong line: output" cmp -s long.out long.want
# Memory stays bounded without any line end: 300 MB of NUL bytes.
if [ -x /usr/bin/time ]; then
  head -c 300000000 /dev/zero >zeros.bin
  /usr/bin/time -f '%M' -o rss.txt "$convert" zeros.bin >zeros.out 2>/dev/null
  rc=$?
  rss=$(tail -1 rss.txt)
  check "NUL bytes: exit 1" [ $rc = 1 ]
  check "NUL bytes: one line" [ "$(wc -l <zeros.out)" = 1 ]
  check "NUL bytes: peak memory ${rss} KiB under 64 MiB" [ "$rss" -lt 65536 ]
  rm -f zeros.bin zeros.out
fi

# A byte order mark is not part of the first line, and not written to the file.
printf '\357\273\277120 30 45 20 N\n' >bom.txt
"$convert" -o bom bom.txt
check "byte order mark: exit 0" [ $? = 0 ]
check "byte order mark: file" [ "$(cat bom.fdt)" = "$(printf ' 120 30  50 11 N \r')" ]

echo "files: $pass passed, $fail failed"
[ $fail = 0 ]
