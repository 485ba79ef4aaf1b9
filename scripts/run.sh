#!/bin/sh
# Installs what is missing, builds the program (not the tests: test.sh builds
# those), and starts ORVAK on the simulated devices (under xvfb-run when there
# is no display).
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The program's target brings its install tree (pictures, firmware images,
# languages, example device sets) beside the executable; orvak-sim drives its
# simulated devices from a second terminal.
cmake --build build --parallel "$(nproc)" --target ORVAK orvak-sim
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  exec ./build/bin/ORVAK
else
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ./build/bin/ORVAK
fi
