# Steps of the scripts a newcomer runs (sourced, not run): each step is one
# line on the terminal with its result and time, and everything the tools
# print (package manager, CMake, compilers, test programs) goes into a log
# file of its own. A step that fails names its log and shows its last lines.
#
#   steps_init LOG_DIR        where the logs go (emptied of old step logs)
#   step NAME LOG COMMAND...  runs COMMAND with its output in LOG_DIR/LOG;
#                             returns its status
#   step_skip NAME WHY        records a step that could not run
#   steps_table               the table of every step, its result and time
#   steps_failed              true when a step failed or was skipped

_steps_dir=
_step_names=()
_step_results=()
_step_seconds=()
_step_notes=()

steps_init() {
  _steps_dir=$1
  mkdir -p "$_steps_dir"
}

# A note printed beside the step's result ("751 tests"), set by the command
# through the file named in STEP_NOTE.
step() {
  local name=$1 log="$_steps_dir/$2"
  shift 2
  local dots=".................................."
  printf '%s %s ' "$name" "${dots:0:$((33 - ${#name}))}"
  local note_file="$log.note"
  rm -f "$note_file"
  local start=$SECONDS status=0
  STEP_NOTE="$note_file" "$@" >"$log" 2>&1 </dev/null || status=$?
  local seconds=$((SECONDS - start)) result=ok note=
  [ -f "$note_file" ] && note=$(cat "$note_file") && rm -f "$note_file"
  [ $status -eq 0 ] || result=FAILED
  _step_names+=("$name")
  _step_results+=("$result")
  _step_seconds+=("$seconds")
  _step_notes+=("$note")
  printf '%-6s %5d s%s\n' "$result" "$seconds" "${note:+  ($note)}"
  if [ $status -ne 0 ]; then
    echo "  the log: $log; its last lines:"
    tail -n 25 "$log" | sed 's/^/  | /'
  fi
  return $status
}

step_skip() {
  _step_names+=("$1")
  _step_results+=("skipped")
  _step_seconds+=(0)
  _step_notes+=("$2")
  local dots=".................................."
  printf '%s %s skipped (%s)\n' "$1" "${dots:0:$((33 - ${#1}))}" "$2"
}

steps_table() {
  local i total=0
  printf '\n%-34s %-8s %8s  %s\n' step result seconds ""
  for i in "${!_step_names[@]}"; do
    printf '%-34s %-8s %8d  %s\n' "${_step_names[$i]}" "${_step_results[$i]}" "${_step_seconds[$i]}" "${_step_notes[$i]}"
    total=$((total + _step_seconds[i]))
  done
  printf '%-34s %-8s %8d\n' total "" "$total"
}

steps_failed() {
  local result
  for result in "${_step_results[@]}"; do
    [ "$result" = ok ] || return 0
  done
  return 1
}
