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
  [ -n "${ctest_exclude:-}" ] && args+=(-E "$ctest_exclude")
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

# The Windows stage. With the static Qt for Windows (scripts/windows-qt.sh: from its cache, from
# the archive NOLT_QT_WINDOWS_ARCHIVE names, or built from Debian's sources unless
# NOLT_SKIP_WINDOWS_QT=1) and the static libzip (scripts/windows-libzip.sh: from its cache, or
# built from Debian's sources in about a minute), the whole program and all its tests are built
# for 64-bit Windows with mingw-w64; CTest runs the test programs under Wine (cmake/wine-run.sh,
# in a prefix inside the build folder), the window's offscreen; then a clerk's round through
# nolt_f_r.exe under Wine whose person file must equal the Linux program's, the packages signed
# with a throwaway certificate and verified, the licence notices checked against the program, and
# the installer's round (per user and per machine, upgrades, removal). Without that Qt
# the core and its tests alone are built and run. Without the cross compiler, Wine or the
# GoogleTest sources the stage says so and is skipped, and the native stages decide.
# Qt's own save dialog, which the window's tests answer, does not come up under Wine with the
# offscreen platform (the test waits for ever); the Windows program shows the system's dialog
# instead, which the clerk's round under Wine goes through. These tests run on Linux only.
windows_dialog_tests="app\\.(MainWindowTest\\.(FailingSaveShowsTheErrorBox|SaveDialogAddsTheExtension|CancelledSaveWritesNothing|SaveLeavesTheLastRowSelected)|KeyboardAndTextsTest\\.(EveryActionHasItsKey|TitlesHaveNothingAppended|SaveNoteTellsWhatWentWhere)|CheckingAidsTest\\.(CtrlZBringsDeletedRowsBack|DoubleClickCorrectsTheRow)|OrderBoxKeysTest\\.NoWindowKeyEditsTheOrderText)"
windows_qt_command="NOLT_QT_WINDOWS_ARCHIVE=<qt-6.4.2-win64-static.tar.xz> scripts/windows-qt.sh, or scripts/windows-qt.sh alone to build it (about an hour)"
wine_stage() {
  local dir="$out/win" missing=() qt status started=$SECONDS
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=("mingw-w64")
  [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || missing+=("wine64")
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=("GoogleTest sources")
  if [ ${#missing[@]} -gt 0 ]; then
    echo
    echo "=== Windows build: skipped, not installed: ${missing[*]}"
    summary+=("Windows build under Wine: skipped, not installed: ${missing[*]}")
    return
  fi
  qt=$("$root/scripts/windows-qt.sh" 2>"$out/windows-qt.log" | tail -n 1)
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ] || [ -z "$qt" ]; then
    local why="the Windows Qt is not there and may not be built (NOLT_SKIP_WINDOWS_QT=1)"
    [ "$status" -eq 3 ] || why="the Windows Qt could not be made (log: $out/windows-qt.log)"
    summary+=("Windows window and rounds under Wine: skipped, $why; to make it: $windows_qt_command")
    stage "Windows build: core tests under Wine" "$out/win-core" "" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine-run.sh;$out/win-core/wine" \
      -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_APP=OFF -DNOLT_BUILD_BENCH=OFF
    end_wine "$out/win-core/wine"
    return
  fi
  local libzip
  if ! libzip=$("$root/scripts/windows-libzip.sh" 2>"$out/windows-libzip.log") ||
     ! libzip=$(tail -n 1 <<<"$libzip") || [ -z "$libzip" ]; then
    summary+=("Windows stage: FAILED, the Windows libzip could not be made (log: $out/windows-libzip.log)")
    failed=1
    return
  fi
  local failed_before=$failed
  if ! windows_display; then
    summary+=("Windows window tests and rounds: FAILED, the virtual X display did not start")
    failed=1
    return
  fi
  # Each test is a program start under Wine: two at a time.
  CTEST_PARALLEL_LEVEL=$jobs ctest_exclude="$windows_dialog_tests" \
    stage "Windows build: core and window tests under Wine (the save dialog's 10 on Linux only)" "$dir" "" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DNOLT_LIBZIP_PREFIX="$libzip" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine-run.sh;$dir/wine" \
    -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_BENCH=OFF
  end_wine "$dir/wine"
  [ -f "$dir/app/nolt_f_r.exe" ] && windows_rounds "$dir"
  [ -z "$xvfb" ] || { kill "$xvfb"; unset DISPLAY; }
  local result=passed
  [ "$failed" -eq "$failed_before" ] || result=failed
  summary+=("Windows stage: $result in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s")
}

# windows_display: Wine needs an X display for any window, also for the window tests that Qt
# draws offscreen: without a DISPLAY, a virtual one for the stage (its server's id in xvfb).
xvfb=""
windows_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  local number="$out/.windows-display"
  : >"$number"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 200); do
    [ -s "$number" ] && break
    sleep 0.1
  done
  [ -s "$number" ] || return 1
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  unset WAYLAND_DISPLAY
}

# end_wine <prefix>: the Wine server would wait 30 s for another program; none comes.
end_wine() {
  local wineserver=/usr/lib/wine/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver) || return 0
  WINEPREFIX="$1" "$wineserver" -k 2>/dev/null || true
}

# round <summary name> <log> <command...>: one round, limited to 5 minutes.
round() {
  local name=$1 log=$2
  shift 2
  if timeout 300 "$@" >"$log" 2>&1; then
    summary+=("$name: passed")
    return 0
  fi
  tail -n 20 "$log"
  summary+=("$name: FAILED (log: $log)")
  failed=1
  return 1
}

# The rounds through the Windows program under Wine on a virtual X display: the clerk's round,
# whose person file must be byte for byte the Linux program's from the same order on the same
# day, then the installer's. Their figures (sizes, start and import times) go to the output.
windows_rounds() {
  local dir=$1 rounds="$out/windows-rounds" order="$root/samples/rozkaz-przyklad.txt"
  rm -rf "$rounds"
  mkdir -p "$rounds"
  echo
  echo "=== Windows rounds under Wine"
  if round "Windows round: the clerk's round through nolt_f_r.exe under Wine" "$rounds/windows.log" \
    "$root/scripts/windows-round.sh" "$dir/app/nolt_f_r.exe" "$order" "$rounds/windows" "$dir/wine"; then
    if [ ! -x "$out/native/app/nolt_f_r" ]; then
      summary+=("Windows round: the person file not compared, the Linux program was not built")
    elif round "Linux round for the comparison" "$rounds/linux.log" \
      "$root/scripts/e2e-round.sh" "$out/native/app/nolt_f_r" "$order" "$rounds/linux"; then
      if cmp "$rounds/windows/osoby.os" "$rounds/linux/osoby.os"; then
        summary+=("Windows round: the person file is byte for byte the Linux program's")
      else
        summary+=("Windows round: FAILED, the person file differs from the Linux program's")
        failed=1
      fi
    fi
  fi
  # The packages signed with a throwaway certificate of the round's own making.
  local signing="$rounds/signing" dist="$rounds/dist"
  if run_quietly "$rounds/certificate.log" "$root/scripts/test-certificate.sh" "$signing" &&
    NOLT_SIGN_PKCS12="$signing/signer.p12" NOLT_SIGN_PASSWORD_FILE="$signing/password" \
      run_quietly "$rounds/package.log" "$root/scripts/package-windows.sh" "$dir" "$dist"; then
    sed -n 's/^package-windows: \(.* MB\)$/  size: \1/p' "$rounds/package.log"
    round "Windows signatures: nolt_f_r.exe and the MSI signed (SHA-256) and verified against the test authority" \
      "$rounds/signatures.log" bash -c 'for file in "$1"/nolt_f_r.exe "$1"/*.msi; do
          osslsigncode verify -CAfile "$2" -in "$file" || exit 1; done
        cd "$1" && sha256sum -c SHA256SUMS' - "$dist" "$signing/ca.pem"
    round "Windows licence notices: every component found in nolt_f_r.exe has its notice" \
      "$rounds/notices.log" "$root/scripts/notices-check.sh" "$dist/nolt_f_r.exe" "$root/packaging/windows/LICENCJE.txt"
    round "Windows installer under Wine: per user (the signed program started and closed), a same-version rebuild, a newer version, the older refused, per machine; one entry each time, nothing left after removal" \
      "$rounds/msi.log" "$root/scripts/msi-round.sh" "$(ls "$dist"/*.msi)" "$rounds/msi" "$rounds/msi-wine"
  else
    summary+=("Windows packages: FAILED (log: $rounds/package.log)")
    failed=1
  fi
  round "Windows figures under Wine against Linux" "$rounds/figures.log" \
    "$root/scripts/windows-figures.sh" "$dir/app/nolt_f_r.exe" "$out/native" "$rounds/figures" "$dir/wine" &&
    sed -n 's/^windows-figures: /  /p' "$rounds/figures.log"
}
wine_stage

echo
echo "=== Summary"
printf '  %s\n' "${summary[@]}"
exit "$failed"
