#!/usr/bin/env bash
# The test command: installs what is missing, builds the program and runs every test stage,
# then prints one summary line per stage. Build logs are shown only when a build fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build"
jobs=$(nproc)
summary=()
failed=0

"$root/scripts/install-deps.sh" --with-windows || { echo "test: installing the packages failed"; exit 1; }
mkdir -p "$out"

# run_quietly <log> <command...>: runs the command, shows the end of its log if it fails.
run_quietly() {
  local log=$1; shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 60 "$log"
    return 1
  fi
}

# stage <name> <build folder> <ctest regex or ""> <cmake options...>
stage() {
  local name=$1 dir=$2 regex=$3; shift 3
  echo
  echo "=== $name"
  if ! run_quietly "$dir.configure.log" cmake -S "$root" -B "$dir" "$@" ||
     ! run_quietly "$dir.build.log" cmake --build "$dir" -j "$jobs"; then
    summary+=("$name: BUILD FAILED (log: $dir.build.log)")
    failed=1
    return
  fi
  local args=(--test-dir "$dir" --output-on-failure --timeout 600 --no-tests=error)
  [ -n "$regex" ] && args+=(-R "$regex")
  local log="$dir.ctest.log" status result
  ctest "${args[@]}" 2>&1 | tee "$log" | grep -v -E '^\s+Start |Passed'
  status=${PIPESTATUS[0]}
  # CTest's exit status decides; its closing line only tells the reader what ran.
  result=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    summary+=("$name: ${result:-no result}")
  else
    summary+=("$name: FAILED, CTest exit status $status: ${result:-no result}")
    failed=1
  fi
}

stage "native build: all tests" "$out/native" "" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The window's tests run here too, offscreen, with LeakSanitizer on: a failure that unwound
# through Qt's frames would leak what they hold. scripts/lsan.supp names the leaks that lie wholly
# inside system libraries.
LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
  stage "core and window tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer" \
  "$out/asan" "" -DCMAKE_BUILD_TYPE=Debug -DNOLT_SANITIZE=ON -DNOLT_BUILD_BENCH=OFF
if command -v clang++ >/dev/null && [ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ]; then
  stage "fuzzing the order import and the order file readers (about 40 s)" "$out/fuzz" "^fuzz\\." \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DNOLT_BUILD_FUZZ=ON \
    -DNOLT_BUILD_APP=OFF -DNOLT_BUILD_BENCH=OFF
else
  summary+=("fuzzing: skipped, clang's libFuzzer runtime is not installed")
fi

# The core and its tests built for 64-bit Windows with mingw-w64 and run under Wine: CTest runs
# each test program through cmake/wine-run.sh, in a Wine prefix inside the build folder that is
# created at the first run. Without the cross compiler, Wine or the GoogleTest sources the stage
# says so and is skipped, and the native stages decide.
wine_stage() {
  local dir="$out/win" missing=()
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=("mingw-w64")
  [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || missing+=("wine64")
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=("GoogleTest sources")
  if [ ${#missing[@]} -gt 0 ]; then
    echo
    echo "=== Windows build: skipped, not installed: ${missing[*]}"
    summary+=("Windows build under Wine: skipped, not installed: ${missing[*]}")
    return
  fi
  stage "Windows build: core tests under Wine" "$dir" "" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine-run.sh;$dir/wine" \
    -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_APP=OFF -DNOLT_BUILD_BENCH=OFF
  # The Wine server would wait 30 s for another test; none comes.
  local wineserver=/usr/lib/wine/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver) || return 0
  WINEPREFIX="$dir/wine" "$wineserver" -k 2>/dev/null || true
}
wine_stage

echo
echo "=== Summary"
printf '  %s\n' "${summary[@]}"
exit "$failed"
