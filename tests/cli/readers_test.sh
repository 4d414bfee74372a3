#!/usr/bin/env bash
# End-to-end tests of reading other programs' files: each fixture of readers/ is
# converted by its extension, shown with --show-input, read from standard input with
# --from, and the readers' stops and the new options' usage errors are checked.
set -u
bin=$(realpath "$1")
fixtures=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$fixtures"/* "$work"/
cd "$work" || exit 2
pass=0
fail=0

# check NAME WANT_RC WANT_STDOUT WANT_STDERR -- COMMAND...
check() {
  local name=$1 want_rc=$2 want_out=$3 want_err=$4
  shift 5
  "$@" >out.txt 2>err.txt
  local rc=$?
  local ok=1
  if [ "$rc" != "$want_rc" ]; then echo "FAIL $name: exit status $rc, expected $want_rc"; ok=0; fi
  if [ "$(cat out.txt)" != "$want_out" ]; then
    echo "FAIL $name: standard output"; diff <(echo "$want_out") out.txt | head -20; ok=0
  fi
  if [ "$(cat err.txt)" != "$want_err" ]; then
    echo "FAIL $name: standard error"; diff <(echo "$want_err") err.txt | head -20; ok=0
  fi
  if [ $ok = 1 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); fi
}

check csv-by-extension 1 "\
# Ridge survey, sheet 2
# Station;Dip Direction;Dip;Trend;Plunge;Sense;Notes
 118 30  48 11 N # quarry wall; Station A1
 208 66 214 65 R # two lines; Station A2
# error in liniation data [120 30 ? N # A3;120;30;;20;N;no trend]
# error in character data [120 30 45 20 # sense not seen; Station A4]" "\
site.csv:6: error in liniation data
site.csv:7: error in character data" -- "$bin" --declination 2 site.csv

check csv-show-input 0 "\
# Ridge survey, sheet 2
# Station;Dip Direction;Dip;Trend;Plunge;Sense;Notes
120 30 45 20 N # quarry wall; Station A1
210 65.5 215 60 R # two lines; Station A2
120 30 ? N # A3;120;30;;20;N;no trend
120 30 45 20 # sense not seen; Station A4" "" -- "$bin" --show-input site.csv

check csv-no-sense 1 "\
# Ridge survey, sheet 2
# Station;Dip Direction;Dip;Trend;Plunge;Sense;Notes
 120 30  45 20 # quarry wall; Station A1
 210 66 215 60 # two lines; Station A2
# error in liniation data [120 30 ? # A3;120;30;;20;N;no trend]
 120 30  45 20 # sense not seen; Station A4" "site.csv:6: error in liniation data" \
  -- "$bin" --no-sense --no-projection site.csv

# Standard input is text unless --from says otherwise; its lines are named "-".
check csv-from-stdin 1 "$("$bin" site.csv 2>/dev/null)" "\
-:6: error in liniation data
-:7: error in character data" -- sh -c "\"$bin\" --from csv - < site.csv"
check csv-as-text 1 "$(head -1 site.csv)
# error in surface data [Station;Dip Direction;Dip;Trend;Plunge;Sense;Notes]" "-:2: error in surface data" \
  -- sh -c "head -2 site.csv | \"$bin\" --no-projection"

# A ".txt" with a header row is a spreadsheet; a ".csv" without one a field book.
cp site.csv table.txt
check txt-with-header 1 "$("$bin" site.csv 2>/dev/null)" "\
table.txt:6: error in liniation data
table.txt:7: error in character data" -- "$bin" table.txt
printf '120,30,45,20,N\n' >book.csv
check csv-without-header 0 " 120 30  45 20 N " "" -- "$bin" --no-projection book.csv

check fpl 1 "\
# X=Ridge north
 118 30  48 11 R # quality 2; block A
 208 65 214 65 N 
# error in character data [120 30 45 20 # sense unknown]" "site.fpl:4: error in character data" \
  -- "$bin" --declination 2 site.fpl
cp site.fpl site.cor
check cor-is-fpl 1 "$("$bin" site.fpl 2>/dev/null)" "site.cor:4: error in character data" \
  -- "$bin" site.cor

# site.set says DATARULE: R: the DIP_DIR column holds right-hand-rule strikes.
check rgf-with-set-file 0 "\
# DATA_ID LOCATION LOC_X LOC_Y FORMATION DATATYPE DIP_DIR DIP L_DIP_DIR L_DIP SENSE COMMENT
151 61 R80E N # id 1; RIDGE; first
300 65 215 60 R # id 2; RIDGE
# BEDDING: 3    marl BEDDING 90 10" "" -- "$bin" --show-input site.rgf
check rgf-converted 0 "\
# DATA_ID LOCATION LOC_X LOC_Y FORMATION DATATYPE DIP_DIR DIP L_DIP_DIR L_DIP SENSE COMMENT
 149 61 129 59 N # id 1; RIDGE; first
 298 65 242 50 R # id 2; RIDGE
# BEDDING: 3    marl BEDDING 90 10" "" -- "$bin" --declination 2 site.rgf
cp site.rgf other.rgf
check rgf-without-set-file 0 "\
# DATA_ID LOCATION LOC_X LOC_Y FORMATION DATATYPE DIP_DIR DIP L_DIP_DIR L_DIP SENSE COMMENT
61 61 R80S N # id 1; RIDGE; first
210 65 215 60 R # id 2; RIDGE
# BEDDING: 3    marl BEDDING 90 10" "" -- "$bin" --show-input other.rgf

check strabospot 1 "\
 118 30  48 11 N # spot Ridge 1; id 17
# error in liniation data [120 30 ? N # {\"type\":\"planar_orientation\",\"feature_type\":\"fault\",\"strike\":30,\"dip\":30,\"fault_or_sz_type\":\"normal\",\"associated_orientation\":[{\"type\":\"linear_orientation\",\"plunge\":20}]}]" \
  "site.json:16: error in liniation data" -- "$bin" --declination 2 site.json

# A fault data file from a spreadsheet: CR LF, comment and error lines left out.
check csv-to-fdt 1 "" "\
site.csv:6: error in liniation data
site.csv:7: error in character data" -- "$bin" --declination 2 -o out site.csv
if [ "$(cat out.fdt)" != "$(printf ' 118 30  48 11 N # quarry wall; Station A1\r\n 208 66 214 65 R # two lines; Station A2\r')" ]; then
  echo "FAIL csv-to-fdt: file"; fail=$((fail + 1))
fi

# Numeric senses of unknown meaning stop the reader; no file is written.
printf 'dip_direction,dip,trend,plunge,sense\n120,30,45,20,1\n' >codes.csv
check numeric-senses-stop 2 "" "orvane-convert: codes.csv:2: column \"sense\" gives the sense as numbers, whose meaning differs between programs: choose apsg (1 normal, -1 reverse) or tectonicsfp (1 reverse, 2 normal, 3 dextral, 4 sinistral) with --sense-codes" \
  -- "$bin" -o codes codes.csv
if [ -e codes.fdt ]; then echo "FAIL numeric-senses-stop: codes.fdt written"; fail=$((fail + 1)); fi
check numeric-senses-tectonicsfp 0 "# dip_direction,dip,trend,plunge,sense
120 30 45 20 R" "" -- "$bin" --show-input --sense-codes tectonicsfp codes.csv
check numeric-senses-apsg 0 "# dip_direction,dip,trend,plunge,sense
120 30 45 20 N" "" -- "$bin" --show-input --sense-codes apsg codes.csv
printf '{"a": 1}' >x.json
check not-a-project 2 "" "orvane-convert: x.json: not a StraboSpot project: it has no \"spotsDb\"" \
  -- "$bin" x.json

check show-input-text 0 "$(printf '120 30 45 20 N\n# note')" "" -- sh -c "printf '120 30 45 20 N\r\n# note' | \"$bin\" --show-input"

usage() { printf 'orvane-convert: %s\nTry '\''orvane-convert --help'\'' for more information.' "$1"; }
check bad-format 64 "" "$(usage "unknown format 'xls' for --from: choose text, csv, strabospot, fpl, rgf")" \
  -- "$bin" --from xls site.csv
check bad-sense-codes 64 "" "$(usage "unknown sense codes 'APSG' for --sense-codes: choose apsg or tectonicsfp")" \
  -- "$bin" --sense-codes APSG site.csv
check show-input-with-output 64 "" "$(usage "--show-input writes field-book lines to standard output: not with -o, --to or --stereonet")" \
  -- "$bin" --show-input -o x site.csv

echo "readers: $pass passed, $fail failed"
[ $fail = 0 ]
