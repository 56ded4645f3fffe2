#!/usr/bin/env bash
# The test command: installs what is missing, builds the program and runs every test stage,
# then prints one summary line per stage. Build logs are shown only when a build fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build"
jobs=$(nproc)
source "$root/scripts/stages.sh"

"$root/scripts/install-deps.sh" --with-windows || { echo "test: installing the packages failed"; exit 1; }
mkdir -p "$out"

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
  note "fuzzing: skipped, clang's libFuzzer runtime is not installed"
fi

# The Windows build, its tests under Wine and the rounds through the Windows program: a script of
# its own, which writes its summary lines to a file for this one's summary.
windows_summary="$out/windows-stage.summary"
: >"$windows_summary"
"$root/scripts/windows-stage.sh" "$out" "$windows_summary" || failed=1
mapfile -t windows_lines <"$windows_summary"
[ ${#windows_lines[@]} -gt 0 ] || windows_lines=("Windows stage: FAILED, it ended before its first result")
summary+=("${windows_lines[@]}")

echo
echo "=== Summary"
printf '  %s\n' "${summary[@]}"
exit "$failed"
