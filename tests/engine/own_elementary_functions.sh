#!/usr/bin/env bash
# The engine's results must not depend on the C library's sines, cosines or arc
# tangents, which round differently from platform to platform: it calls its own Sin,
# Cos, Tan, Asin, Atan and Atan2 (elementary.h). Fails on any call of a C library
# function of that kind in ENGINE_DIR, comments aside, naming the lines.
#
#   own_elementary_functions.sh ENGINE_DIR
#
# std::pow stays allowed: RoundTo asks it for exact powers of ten only.
set -euo pipefail
dir=$1
names='sin|cos|tan|asin|acos|atan|atan2|sinh|cosh|tanh|asinh|acosh|atanh|sincos|exp|exp2|expm1|log|log2|log10|log1p|hypot|cbrt'
found=""
while IFS= read -r -d '' file; do
  # Lower-case names only (ours are capitalised), code only (// comments cut off).
  hits=$(sed 's://.*$::' "$file" | grep -nE "(^|[^A-Za-z0-9_])($names)(f|l)?[[:space:]]*\(" || true)
  if [ -n "$hits" ]; then found+=$(printf '%s\n' "$hits" | sed "s|^|$file:|")$'\n'; fi
done < <(find "$dir" -name '*.cpp' -print0 -o -name '*.h' -print0)
if [ -n "$found" ]; then
  echo "own_elementary_functions: the engine calls the C library's functions:" >&2
  printf '%s' "$found" >&2
  exit 1
fi
echo "own_elementary_functions: no C library sine, cosine, arc or exponential function in $dir"
