#!/usr/bin/env bash
# The converter's output formats end to end: --to, the format chosen by -o's
# extension, several -o from one run, a stopped run or a signal writing none of
# them, a format that refuses the run, --location.
#   formats_test.sh CONVERTER FIELDBOOK_GENERATOR
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
same() { cmp -s "$1" "$2" || { diff <(cat -A "$2") <(cat -A "$1") | head -10; false; }; }
no_temporary() { [ -z "$(ls | grep -F '.tmp-')" ]; }

printf '# Valle Scura\n120 30 45 20 N # site 1, quarry\n210/65 215/60 R\n35 50 N # site 6\n' >site3.txt

# --to chooses the format of standard output.
printf 'dip_direction,dip,trend,plunge,sense,comment,line\r\n120,30,50,11,N,"site 1, quarry",2\r\n210,65,216,65,R,,3\r\n' >want.csv
"$convert" --to csv site3.txt >got.csv 2>err.txt
check "--to csv: exit 1" [ $? = 1 ]
check "--to csv: bytes" same got.csv want.csv
check "--to csv: error line reported" grep -qx 'site3.txt:4: error in liniation data' err.txt
printf '2,120,30,50,11,site 1, quarry\r\n1,210,65,216,65\r\n' >want.fpl
"$convert" --to fpl site3.txt >got.fpl 2>/dev/null
check "--to fpl: bytes" same got.fpl want.fpl
printf '; Valle Scura\r\n2,120,30,50,11,site 1, quarry\r\n1,210,65,216,65\r\n; error in liniation data [35 50 N # site 6]\r\n' >want-kept.fpl
"$convert" --to fpl --keep-comments site3.txt >got.fpl 2>/dev/null
check "--to fpl --keep-comments: comment lines" same got.fpl want-kept.fpl
"$convert" --to fdt site3.txt >got.fdt 2>/dev/null
check "--to fdt: the fault data file" [ "$(cat got.fdt)" = "$(printf ' 120 30  50 11 N # site 1, quarry\r\n 210 65 216 65 R \r')" ]
"$convert" site3.txt >got.txt 2>/dev/null
check "no --to: the output lines, LF" [ "$(head -1 got.txt)" = "# Valle Scura" ]

# -o takes its format from --to, else from its extension, and gets its extension.
for row in "out.csv|out.csv|want.csv" "out.fpl|out.fpl|want.fpl" "--to csv -o out|out.csv|want.csv" \
  "--to fpl -o x.csv|x.csv.fpl|want.fpl" "out.CSV|out.CSV.fdt|" "out.txt|out.txt.fdt|"; do
  IFS='|' read -r args written want <<<"$row"
  [[ $args == --* ]] || args="-o $args"
  rm -f out* x*
  # shellcheck disable=SC2086
  "$convert" $args site3.txt >stdout.txt 2>/dev/null
  check "$args: exit 1" [ $? = 1 ]
  check "$args: writes $written only" [ "$(ls out* x* 2>/dev/null)" = "$written" ]
  check "$args: nothing on standard output" [ ! -s stdout.txt ]
  [ -n "$want" ] && check "$args: bytes" same "$written" "$want"
done

# Several -o: every file from one run; each error line reported once.
rm -f out*
"$convert" -o out -o out.csv -o out.fpl -o out.rgf --location "Valle Scura" site3.txt >stdout.txt 2>err.txt
check "four files: exit 1" [ $? = 1 ]
check "four files: all there" [ "$(ls out* | tr '\n' ' ')" = "out.csv out.fdt out.fpl out.rgf " ]
check "four files: csv" same out.csv want.csv
check "four files: fpl" same out.fpl want.fpl
check "four files: error reported once" [ "$(cat err.txt)" = "site3.txt:4: error in liniation data" ]
check "four files: --location" grep -q $'^L2\t\t\t\tValle Scura\t0.000000\t0.000000\t\tSTRIAE\t120.0\t30.0\t50.0\t11.0\tNORMAL\t\tsite 1, quarry\t\r$' out.rgf
"$convert" -o out.rgf site3.txt 2>/dev/null
check "rgf: the location is the input's name" grep -q $'^L3\t\t\t\tsite3\t' out.rgf
check "rgf: header" [ "$(head -1 out.rgf)" = "$(printf 'DATA_ID\tDEPTH\tGROUP_CODE\tCOLOR_CODE\tLOCATION\tLOC_X\tLOC_Y\tFORMATION\tDATATYPE\tDIP_DIR\tDIP\tL_DIP_DIR\tL_DIP\tSENSE\tPALEONORTH\tCOMMENT\t\r')" ]

# A run that stops, or a signal, writes none of them and leaves the old ones.
"$generate" 200000 >book.txt
printf 'old file\r\n' >old
for f in out.fdt out.csv; do cp old $f; done
rm -f out.fpl out.rgf
"$convert" --declination 2W -o out -o out.csv -o out.fpl -o out.rgf book.txt 2>err.txt
check "stopped run: exit 2" [ $? = 2 ]
check "stopped run: old files kept" eval 'cmp -s out.fdt old && cmp -s out.csv old'
check "stopped run: no new file" eval '[ ! -e out.fpl ] && [ ! -e out.rgf ]'
check "stopped run: no temporary file" no_temporary
rm -f fifo
mkfifo fifo
set -m
"$convert" -o out -o out.csv -o out.fpl -o out.rgf fifo 2>/dev/null &
pid=$!
set +m
exec 3>fifo
cat book.txt >&3
tmp=$(ls | grep -cF '.tmp-')
kill -TERM "$pid"
{ wait "$pid"; } 2>/dev/null
rc=$?
exec 3>&-
check "SIGTERM: four temporary files existed (saw $tmp)" [ "$tmp" = 4 ]
check "SIGTERM: exit 143 (got $rc)" [ $rc = 143 ]
check "SIGTERM: old files kept, no new file" eval 'cmp -s out.fdt old && cmp -s out.csv old && [ ! -e out.fpl ]'
check "SIGTERM: no temporary file" no_temporary

# Refused before anything is read.
refused() {  # name, message, arguments...
  local name=$1 message=$2
  shift 2
  rm -f new.*
  "$convert" "$@" >stdout.txt 2>err.txt
  local rc=$?
  check "$name: exit 64 (got $rc)" [ $rc = 64 ]
  check "$name: message" grep -qxF "orvane-convert: $message" err.txt
  check "$name: nothing written" eval '[ ! -s stdout.txt ] && [ -z "$(ls new.* 2>/dev/null)" ]'
}
fpl_refusal="a TectonicsFP fault file (fpl) needs a lineation on every line, and this run reads none (lineation data is off)"
refused "fpl without lineations" "$fpl_refusal" --no-lineation -o new.csv -o new.fpl missing.txt
refused "fpl on standard output without lineations" "$fpl_refusal" --no-lineation --to fpl site3.txt
refused "two csv files" "'new.csv' and 'new2.csv' are both csv files: -o is given once per format" \
  -o new.csv -o new2.csv site3.txt
refused "--to with two -o" "'new' and 'new2' are both rgf files: -o is given once per format" \
  --to rgf -o new -o new2 site3.txt
refused "unknown format" "unknown format 'xls' (formats: fdt, csv, fpl, rgf)" --to xls -o new site3.txt
ln -s site3.txt link.csv
refused "output is the input" "input and output are the same file" -o new.fpl -o link.csv site3.txt
check "output is the input: input unchanged" [ "$(head -1 site3.txt)" = "# Valle Scura" ]

echo "formats: $pass passed, $fail failed"
[ $fail = 0 ]
