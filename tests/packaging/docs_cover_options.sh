#!/usr/bin/env bash
# The installed documentation keeps up with the programs: every option that
# --help shows is an item of the manual page's OPTIONS and is offered by the bash
# completion, and nothing else is; the exit codes of --help are those of the
# manual page; --version prints the project version, without a display for orvane.
#   docs_cover_options.sh VERSION CONVERTER CONVERTER_MAN COMPLETION [APP APP_MAN]
set -u
version=$1 convert=$2 convert_man=$3 completion=$4 app=${5:-} app_man=${6:-}
fail=0
bad() {
  echo "FAIL $*"
  fail=1
}

# Options named in a help text: words that begin with "-" after a blank or comma.
help_options() {
  grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | sed 's/^[ ,]*//' | sort -u
}

# The tags of the .TP items of one section of a manual page, fonts and escapes
# removed, one word a line.
man_items() {
  awk -v want="$2" '
    /^\.SH/ { inside = ($0 ~ "^\\.SH \"?" want) ; next }
    inside && tag { print; tag = 0; next }
    inside && /^\.TP/ { tag = 1 }
  ' "$1" | sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/^\.[BIR]*[ ]*//' -e 's/"//g' |
    tr ' ,' '\n\n' | grep -v '^$' | sort -u
}

compare() {  # what, expected list, actual list
  local missing extra
  missing=$(comm -23 <(echo "$2") <(echo "$3") | tr '\n' ' ')
  extra=$(comm -13 <(echo "$2") <(echo "$3") | tr '\n' ' ')
  [ -z "$missing" ] || bad "$1: missing $missing"
  [ -z "$extra" ] || bad "$1: not in --help: $extra"
}

check_program() {  # name, binary, manual page source
  local help options
  help=$("$2" --help) || bad "$1 --help failed"
  options=$(echo "$help" | help_options)
  [ -n "$options" ] || bad "$1 --help names no options"
  compare "$1 manual page OPTIONS" "$options" "$(man_items "$3" OPTIONS | grep '^-')"
}

check_program orvane-convert "$convert" "$convert_man"

got=$("$convert" --version)
[ "$got" = "orvane-convert (Orvane) $version" ] || bad "orvane-convert --version printed '$got'"

# Exit codes: the numbers after "Exit status:" in --help, the items of EXIT STATUS.
codes=$("$convert" --help | sed -n '/^Exit status:/,/^$/p' | grep -oE '(^|[ ,])[0-9]+ ' | tr -d ' ,' |
  sort -u)
[ -n "$codes" ] || bad "orvane-convert --help names no exit codes"
compare "orvane-convert manual page EXIT STATUS" "$codes" "$(man_items "$convert_man" "EXIT STATUS")"

# The completion offers every option for "-", and only those.
offered=$(bash -c 'source "$1" && COMP_WORDS=(orvane-convert -) COMP_CWORD=1 &&
  _orvane_convert && printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" | sort -u)
compare "bash completion" "$("$convert" --help | help_options)" "$offered"

if [ -n "$app" ]; then
  check_program orvane "$app" "$app_man"
  # Without any display, a window could not even be created.
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --version 2>&1)
  [ "$got" = "orvane (Orvane) $version" ] || bad "orvane --version printed '$got'"
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --help 2>&1 | head -1)
  [ "$got" = "Usage: orvane [OPTIONS]" ] || bad "orvane --help began with '$got'"
fi

[ $fail = 0 ] && echo "documentation covers every option"
exit $fail
