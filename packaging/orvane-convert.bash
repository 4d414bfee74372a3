# bash completion for orvane-convert. Needs only bash itself (no bash-completion
# helpers), so it also works when sourced by hand.

# Files (and folders, to walk into) whose names end in one of the given suffixes;
# all files without suffixes.
_orvane_convert_files() {
  local cur=$1 suffix
  shift
  if [ $# -eq 0 ]; then
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return
  fi
  mapfile -t COMPREPLY < <(compgen -d -- "$cur")
  for suffix in "$@"; do
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -X "!*$suffix" -- "$cur")
  done
}

_orvane_convert() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  [ "$COMP_CWORD" -gt 0 ] && prev=${COMP_WORDS[COMP_CWORD - 1]}
  # "--stereonet=net" arrives as "--stereonet", "=", "net".
  if [ "$cur" = "=" ]; then
    cur=
  elif [ "$prev" = "=" ] && [ "$COMP_CWORD" -gt 1 ]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  case $prev in
    --declination | --untilting)
      COMPREPLY=()
      return
      ;;
    --settings)
      _orvane_convert_files "$cur" .ini
      return
      ;;
    --stereonet)
      _orvane_convert_files "$cur" .svg .png
      return
      ;;
    -o | --output)
      _orvane_convert_files "$cur"
      return
      ;;
    --from)
      mapfile -t COMPREPLY < <(compgen -W "text csv strabospot fpl rgf" -- "$cur")
      return
      ;;
    --sense-codes)
      mapfile -t COMPREPLY < <(compgen -W "apsg tectonicsfp" -- "$cur")
      return
      ;;
    --to)
      mapfile -t COMPREPLY < <(compgen -W "fdt csv fpl rgf" -- "$cur")
      return
      ;;
    --location)
      COMPREPLY=()
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    local options="--settings --declination --untilting --no-surface --no-lineation
      --no-sense --no-projection --decimal -o --output --to --keep-comments
      --location --stereonet --from --sense-codes --show-input -h --help --version"
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  else
    _orvane_convert_files "$cur"
  fi
}

complete -o filenames -F _orvane_convert orvane-convert
