#!/usr/bin/env bash
# The page's engine gives the converter's output, byte for byte.
#
#   same_output.sh NATIVE_BIN PAGE_DIR EXAMPLES_DIR
#
# NATIVE_BIN holds orvane-convert, make_fieldbook and page_engine_convert (the page's
# binding built natively). Held to the same bytes, on a generated field book under
# several option sets, on the examples and on awkward texts:
#   - the page (WebAssembly, under Node) and orvane-convert: the engine computes its
#     sines and arc tangents itself, so the two builds round every step alike;
#   - page_engine_convert and orvane-convert: the binding adds nothing of its own.
set -euo pipefail
bin=$1 page=$2 examples=$3
lines=${ORVANE_WEB_BOOK_LINES:-100000}
for tool in orvane-convert make_fieldbook page_engine_convert; do
  if [ ! -x "$bin/$tool" ]; then
    echo "same_output: $bin/$tool is missing (build the native tree)" >&2
    exit 1
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_fieldbook" "$lines" > "$work/book.txt"

option_sets=("" "--untilting 100 --declination 2" "--decimal --untilting 37" "--no-projection"
             "--no-sense --untilting 50" "--no-lineation --declination -3.5")
failures=0
compare() {  # compare NAME FILE_A FILE_B
  if ! cmp -s "$2" "$3"; then
    echo "FAIL $1: outputs differ" >&2
    diff "$2" "$3" | head -6 >&2 || true
    failures=$((failures + 1))
  fi
}
run() {  # run TOOL INPUT OUT OPTIONS...: exit status 0 or 1 (error lines) is fine
  local tool=$1 input=$2 out=$3
  shift 3
  local status=0
  case $tool in
    page) node "$(dirname "$0")/convert.js" "$page" "$input" "$@" > "$out" 2>/dev/null || status=$? ;;
    cli) "$bin/orvane-convert" "$@" "$input" > "$out" 2>/dev/null || status=$? ;;
    *) "$bin/$tool" "$input" "$@" > "$out" 2>/dev/null || status=$? ;;
  esac
  if [ "$status" -gt 1 ]; then
    echo "FAIL $tool $* on $input: exit status $status" >&2
    failures=$((failures + 1))
  fi
}

for opts in "${option_sets[@]}"; do
  # shellcheck disable=SC2086
  {
    run page "$work/book.txt" "$work/page.txt" $opts
    run page_engine_convert "$work/book.txt" "$work/binding.txt" $opts
    run cli "$work/book.txt" "$work/cli.txt" $opts
  }
  compare "page vs orvane-convert on $lines lines [$opts]" "$work/page.txt" "$work/cli.txt"
  compare "native binding vs orvane-convert [$opts]" "$work/binding.txt" "$work/cli.txt"
  if ! cmp -s "$work/page.txt" "$work/cli.txt"; then
    echo "    $(diff "$work/page.txt" "$work/cli.txt" | grep -c '^<' || true) lines differ; the first (input | orvane-convert, page):" >&2
    diff <(paste -d '|' "$work/book.txt" "$work/cli.txt") <(paste -d '|' "$work/book.txt" "$work/page.txt") \
      | grep '^[<>]' | head -4 | sed 's/^/    /' >&2 || true
  else
    echo "[$opts] $lines lines: the page writes orvane-convert's bytes"
  fi
  for example in "$examples"/*.txt; do
    # shellcheck disable=SC2086
    run page "$example" "$work/page.txt" $opts
    # shellcheck disable=SC2086
    run cli "$example" "$work/cli.txt" $opts
    compare "page vs orvane-convert on $(basename "$example") [$opts]" "$work/page.txt" "$work/cli.txt"
  done
done
# Line ends and awkward texts, as the page may be handed them: CR LF, CR alone, no last
# line end, an empty text, blank and NUL-holding lines, one very long line.
notes="$examples/field-notes.txt"
sed 's/$/\r/' "$notes" > "$work/crlf.txt"
tr '\n' '\r' < "$notes" > "$work/cr.txt"
printf '120 30 45 20 N' > "$work/no-end.txt"
: > "$work/empty.txt"
printf ' \t \n\n120\0030 45 20 N\n#\n   # only a comment\n\n' > "$work/awkward.txt"
{ printf '120 30 45 20 N # '; head -c 300000 /dev/zero | tr '\0' 'x'; printf '\n'; } > "$work/long.txt"
for input in crlf cr no-end empty awkward long; do
  run page "$work/$input.txt" "$work/page.txt" --declination 2
  run cli "$work/$input.txt" "$work/cli.txt" --declination 2
  compare "page vs orvane-convert on $input lines" "$work/page.txt" "$work/cli.txt"
done

if [ "$failures" -gt 0 ]; then
  echo "same_output: $failures comparisons failed" >&2
  exit 1
fi
echo "same_output: ${#option_sets[@]} option sets, all comparisons byte for byte"
