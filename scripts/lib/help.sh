# Sourced by a script before it looks at its arguments: with -h or --help
# as the first argument it prints the script's opening comment (what it
# does and how it is called) and exits.
show_help_if_asked() {
  local script=$1
  shift
  case "${1:-}" in
    -h|--help)
      sed -n '2,/^[^#]/p' "$script" | sed '$d' | sed 's/^# \{0,1\}//'
      exit 0 ;;
  esac
}
