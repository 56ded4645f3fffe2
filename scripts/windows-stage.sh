#!/usr/bin/env bash
# The Windows stage of the test command. With the static Qt for Windows (scripts/windows-qt.sh:
# from its cache, from the archive NOLT_QT_WINDOWS_ARCHIVE names, or built from Debian's sources
# unless NOLT_SKIP_WINDOWS_QT=1) and the static libzip (scripts/windows-libzip.sh: from its cache,
# or built from Debian's sources in about a minute), the whole program and all its tests are built
# for 64-bit Windows with mingw-w64; CTest runs the test programs under Wine (cmake/wine-run.sh,
# in a prefix inside the build folder), the window's offscreen; then a clerk's round through
# nolt_f_r.exe under Wine whose person file must equal the Linux program's, the packages signed
# with a throwaway certificate and verified, the licence notices checked against the program, and
# the installer's round (per user and per machine, upgrades, removal). Without that Qt the core
# and its tests alone are built and run. Without the cross compiler, Wine or the GoogleTest
# sources the stage says so and is skipped.
#
# Usage: scripts/windows-stage.sh [build folder [summary file]]
# The build folder (build/ by default) holds native/ (the Linux program, for the comparisons);
# the stage builds in win/ (or win-core/). Each summary line goes to the summary file, or, without
# one, is printed at the end. Ends with status 1 if anything failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
summary_file=${2:-}
jobs=$(nproc)
source "$root/scripts/stages.sh"
source "$root/scripts/x-display.sh"
# x-display.sh's round, folder and log, for its display and Wine prefix and for fail.
round=windows-stage
out="$build/windows-stage"
log="$out/windows-stage.log"
mkdir -p "$out"
: >"$log"

# round <summary name> <log> <command...>: one round, limited to 5 minutes.
round() {
  local name=$1 round_log=$2
  shift 2
  if timeout 300 "$@" >"$round_log" 2>&1; then
    note "$name: passed"
    return 0
  fi
  tail -n 20 "$round_log"
  note "$name: FAILED (log: $round_log)"
  failed=1
  return 1
}

# The tools the stage needs; without them it is skipped and the native stages decide.
missing_tools() {
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || echo "mingw-w64"
  [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || echo "wine64"
  [ -f /usr/src/googletest/CMakeLists.txt ] || echo "GoogleTest sources"
}

# core_stage <why>: without the Windows Qt, the core and its tests alone under Wine.
core_stage() {
  local dir="$build/win-core"
  note "Windows window and rounds under Wine: skipped, $1; to make it: NOLT_QT_WINDOWS_ARCHIVE=<qt-6.4.2-win64-static.tar.xz> scripts/windows-qt.sh, or scripts/windows-qt.sh alone to build it (about an hour)"
  use_wine_prefix "$dir/wine"
  stage "Windows build: core tests under Wine" "$dir" "" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine-run.sh;$dir/wine" \
    -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_APP=OFF -DNOLT_BUILD_BENCH=OFF
}

# Qt's own save dialog, which the window's tests labelled qt_save_dialog answer, does not come up
# under Wine with the offscreen platform (the test waits for ever); the Windows program shows the
# system's dialog instead, which the clerk's round under Wine goes through. Those run on Linux only.
# Wine needs an X display for any window, also for the window tests that Qt draws offscreen.
full_stage() { # <Qt folder> <libzip folder>
  local dir="$build/win"
  use_virtual_display
  use_wine_prefix "$dir/wine"
  # Each test is a program start under Wine: two at a time.
  CTEST_PARALLEL_LEVEL=$jobs ctest_exclude_label=qt_save_dialog \
    stage "Windows build: core and window tests under Wine (the save dialog's 10 on Linux only)" "$dir" "" \
    -DCMAKE_TOOLCHAIN_FILE="$1/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DNOLT_LIBZIP_PREFIX="$2" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine-run.sh;$dir/wine" \
    -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_BENCH=OFF
  end_wine
  [ ! -f "$dir/app/nolt_f_r.exe" ] || windows_rounds "$dir"
}

# The rounds through the Windows program under Wine on the virtual X display: the clerk's round,
# whose person file must be byte for byte the Linux program's from the same order on the same
# day, then the installer's. Their figures (sizes, start and import times) go to the output.
windows_rounds() {
  local dir=$1 rounds="$build/windows-rounds" order="$root/samples/rozkaz-przyklad.txt"
  rm -rf "$rounds"
  mkdir -p "$rounds"
  echo
  echo "=== Windows rounds under Wine"
  round "Windows round: the clerk's round through nolt_f_r.exe under Wine" "$rounds/windows.log" \
    "$root/scripts/windows-round.sh" "$dir/app/nolt_f_r.exe" "$order" "$rounds/windows" "$dir/wine" &&
    compare_with_linux "$rounds" "$order"
  package_rounds "$dir" "$rounds"
  round "Windows figures under Wine against Linux" "$rounds/figures.log" \
    "$root/scripts/windows-figures.sh" "$dir/app/nolt_f_r.exe" "$build/native" "$rounds/figures" "$dir/wine" &&
    sed -n 's/^windows-figures: /  /p' "$rounds/figures.log"
}

compare_with_linux() { # <rounds folder> <order>
  if [ ! -x "$build/native/app/nolt_f_r" ]; then
    note "Windows round: the person file not compared, the Linux program was not built"
  elif round "Linux round for the comparison" "$1/linux.log" \
    "$root/scripts/e2e-round.sh" "$build/native/app/nolt_f_r" "$2" "$1/linux"; then
    if cmp "$1/windows/osoby.os" "$1/linux/osoby.os"; then
      note "Windows round: the person file is byte for byte the Linux program's"
    else
      note "Windows round: FAILED, the person file differs from the Linux program's"
      failed=1
    fi
  fi
}

# The packages signed with a throwaway certificate of the round's own making, their signatures and
# notices checked, and the installer's round.
package_rounds() { # <build folder> <rounds folder>
  local signing="$2/signing" dist="$2/dist"
  if ! run_quietly "$2/certificate.log" "$root/scripts/test-certificate.sh" "$signing" ||
    ! NOLT_SIGN_PKCS12="$signing/signer.p12" NOLT_SIGN_PASSWORD_FILE="$signing/password" \
      run_quietly "$2/package.log" "$root/scripts/package-windows.sh" "$1" "$dist"; then
    note "Windows packages: FAILED (log: $2/package.log)"
    failed=1
    return
  fi
  sed -n 's/^package-windows: \(.* MB\)$/  size: \1/p' "$2/package.log"
  round "Windows signatures: nolt_f_r.exe and the MSI signed (SHA-256) and verified against the test authority" \
    "$2/signatures.log" bash -c 'for file in "$1"/nolt_f_r.exe "$1"/*.msi; do
        osslsigncode verify -CAfile "$2" -in "$file" || exit 1; done
      cd "$1" && sha256sum -c SHA256SUMS' - "$dist" "$signing/ca.pem"
  round "Windows licence notices: every component found in nolt_f_r.exe has its notice" \
    "$2/notices.log" "$root/scripts/notices-check.sh" "$dist/nolt_f_r.exe" "$root/packaging/windows/LICENCJE.txt"
  round "Windows installer under Wine: per user (the signed program started and closed), a same-version rebuild, a newer version, the older refused, per machine; one entry each time, nothing left after removal" \
    "$2/msi.log" "$root/scripts/msi-round.sh" "$(ls "$dist"/*.msi)" "$2/msi" "$2/msi-wine"
}

# windows_stage: the Windows Qt and libzip made (or the core alone), then the stage.
windows_stage() {
  local missing qt libzip status
  missing=$(missing_tools | paste -sd ' ')
  if [ -n "$missing" ]; then
    echo
    echo "=== Windows build: skipped, not installed: $missing"
    note "Windows build under Wine: skipped, not installed: $missing"
    return
  fi
  qt=$("$root/scripts/windows-qt.sh" 2>"$build/windows-qt.log" | tail -n 1)
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ] || [ -z "$qt" ]; then
    local why="the Windows Qt is not there and may not be built (NOLT_SKIP_WINDOWS_QT=1)"
    [ "$status" -eq 3 ] || why="the Windows Qt could not be made (log: $build/windows-qt.log)"
    core_stage "$why"
    return
  fi
  if ! libzip=$("$root/scripts/windows-libzip.sh" 2>"$build/windows-libzip.log") ||
     ! libzip=$(tail -n 1 <<<"$libzip") || [ -z "$libzip" ]; then
    note "Windows stage: FAILED, the Windows libzip could not be made (log: $build/windows-libzip.log)"
    failed=1
    return
  fi
  local started=$SECONDS result=passed
  full_stage "$qt" "$libzip"
  [ "$failed" -eq 0 ] || result=failed
  note "Windows stage: $result in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
}

windows_stage
[ -n "$summary_file" ] || { echo; echo "=== Summary"; printf '  %s\n' "${summary[@]}"; }
exit "$failed"
