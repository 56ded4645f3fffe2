#!/usr/bin/env bash
# The run command: installs the missing Debian packages, builds the program (Release, in
# build/release) and starts it. Where there is no display it drives one round through the window
# on a virtual display instead, with the sample order, and names the folder with the screenshot
# and the person file. NOLT_BUILD_DIR chooses another build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NOLT_BUILD_DIR:-$root/build/release}

"$root/scripts/install-deps.sh"
echo "run: building in $build"
mkdir -p "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DNOLT_BUILD_TESTS=OFF \
  -DNOLT_BUILD_BENCH=OFF >"$build/run-configure.log" 2>&1 ||
  { tail -n 40 "$build/run-configure.log"; exit 1; }
cmake --build "$build" --target nolt_f_r -j "$(nproc)" >"$build/run-build.log" 2>&1 ||
  { tail -n 40 "$build/run-build.log"; exit 1; }
program="$build/app/nolt_f_r"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi
echo "run: no display; one round through the window on a virtual display, with the sample order"
"$root/scripts/e2e-round.sh" "$program" "$root/samples/rozkaz-przyklad.txt" \
  "$root/out/round-$(date +%Y%m%d-%H%M%S)"
