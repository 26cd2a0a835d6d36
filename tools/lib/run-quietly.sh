# Sourced by the run and test scripts.
# Runs a set-up command with its output kept aside: silent when it succeeds, and printed
# with the command and its status when it fails, so that a failed run says why.
run_quietly() {
  log=$(mktemp)
  status=0
  "$@" >"$log" 2>&1 </dev/null || status=$?
  if [ "$status" -ne 0 ]; then
    echo "run: '$*' failed with status $status:" >&2
    cat "$log" >&2
  fi
  rm -f "$log"
  return "$status"
}
