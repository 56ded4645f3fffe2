# Sourced by the test command (test.sh) and its Windows stage (windows-stage.sh): a stage builds
# one configuration and runs its CTest tests; every stage and round leaves one summary line.
# The caller sets root (the checkout) and jobs; summary_file, when set, gets each line as well.
summary=()
failed=0

# note <line>: one line of the summary.
note() {
  summary+=("$1")
  [ -z "${summary_file:-}" ] || echo "$1" >>"$summary_file"
}

# run_quietly <log> <command...>: runs the command, shows the end of its log if it fails.
run_quietly() {
  local log=$1; shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 60 "$log"
    return 1
  fi
}

# stage <name> <build folder> <ctest regex or ""> <cmake options...>: ctest_exclude_label, when
# set, names a CTest label whose tests do not run.
stage() {
  local name=$1 dir=$2 regex=$3; shift 3
  echo
  echo "=== $name"
  if ! run_quietly "$dir.configure.log" cmake -S "$root" -B "$dir" "$@" ||
     ! run_quietly "$dir.build.log" cmake --build "$dir" -j "$jobs"; then
    note "$name: BUILD FAILED (log: $dir.build.log)"
    failed=1
    return
  fi
  local args=(--test-dir "$dir" --output-on-failure --timeout 600 --no-tests=error)
  [ -n "$regex" ] && args+=(-R "$regex")
  [ -n "${ctest_exclude_label:-}" ] && args+=(-LE "$ctest_exclude_label")
  local log="$dir.ctest.log" status result
  ctest "${args[@]}" 2>&1 | tee "$log" | grep -v -E '^\s+Start |Passed'
  status=${PIPESTATUS[0]}
  # CTest's exit status decides; its closing line only tells the reader what ran.
  result=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    note "$name: ${result:-no result}"
  else
    note "$name: FAILED, CTest exit status $status: ${result:-no result}"
    failed=1
  fi
}
