#!/usr/bin/env bash
# End-to-end tests of orvane-convert. Each case is a folder under cases/ with
#   args      the command-line arguments, one per line (optional)
#   in        the input given on standard input (or as a file, see args)
#   out       the expected standard output, byte for byte
#   err       the expected standard error (optional)
#   rc        the expected exit status (optional, default 0)
#   fdt       the expected content of the file written with -o (optional; the
#             case's args must write to "$WORK/out" or "$WORK/out.fdt")
# In args, "$CASE" stands for the case folder and "$WORK" for a scratch folder.
set -u
bin=$(realpath "$1")
here=$(realpath "$2")
pass=0
fail=0
for dir in "$here"/cases/*/; do
  name=$(basename "$dir")
  work=$(mktemp -d)
  args=()
  if [ -f "$dir/args" ]; then
    while IFS= read -r a || [ -n "$a" ]; do
      a=${a//\$CASE/$dir}
      a=${a//\$WORK/$work}
      args+=("$a")
    done <"$dir/args"
  fi
  input="$dir/in"
  [ -f "$input" ] || input=/dev/null
  (cd "$work" && "$bin" "${args[@]}" <"$input" >"$work/stdout" 2>"$work/stderr")
  rc=$?
  want_rc=0
  [ -f "$dir/rc" ] && want_rc=$(cat "$dir/rc")
  ok=1
  if ! cmp -s "$work/stdout" "$dir/out"; then
    echo "FAIL $name: standard output differs"; diff "$dir/out" "$work/stdout" | head -20; ok=0
  fi
  if [ -f "$dir/err" ] && ! cmp -s "$work/stderr" "$dir/err"; then
    echo "FAIL $name: standard error differs"; diff "$dir/err" "$work/stderr" | head -20; ok=0
  fi
  if [ "$rc" != "$want_rc" ]; then
    echo "FAIL $name: exit status $rc, expected $want_rc"; ok=0
  fi
  if [ -f "$dir/fdt" ]; then
    got=$(ls "$work"/out*.fdt 2>/dev/null | head -1)
    if [ -z "$got" ] || ! cmp -s "$got" "$dir/fdt"; then
      echo "FAIL $name: fault data file differs or is missing"; ok=0
    fi
  fi
  if [ $ok = 1 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); fi
  rm -rf "$work"
done
echo "cli: $pass passed, $fail failed"
[ $fail = 0 ]
