#!/usr/bin/env bash
# The engine reads and writes numbers to the same bits and characters in the native
# build (std::from_chars/std::to_chars) and the WebAssembly build (its portable path),
# and its elementary functions (sin, cos, tan, asin, atan, atan2, the degree tables)
# give the same bits in both.
#
#   numbers_agree.sh NATIVE_PROBE WASM_PROBE_JS
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" > "$work/native.txt"
node "$2" > "$work/wasm.txt"
cases=$(wc -l < "$work/native.txt")
reads=$(grep -c '^read ' "$work/native.txt")
rejected=$(grep -c ' rejected$' "$work/native.txt")
functions=$(grep -c '^\(trig\|asin\|atan2\|degrees\) ' "$work/native.txt")
if [ "$cases" -lt 50000 ] || [ "$rejected" -lt 10 ] || [ "$functions" -lt 100000 ]; then
  echo "numbers_agree: the probe made only $cases cases ($rejected rejected, $functions of functions)" >&2
  exit 1
fi
if ! cmp -s "$work/native.txt" "$work/wasm.txt"; then
  echo "numbers_agree: the builds differ (native <, WebAssembly >):" >&2
  diff "$work/native.txt" "$work/wasm.txt" | head -20 >&2
  exit 1
fi
echo "numbers_agree: $cases cases ($reads reads, $rejected of them rejected; $functions of elementary functions), the same in both builds"
