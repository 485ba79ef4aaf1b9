#!/bin/sh
# Installs what is missing, builds, and starts ORVAK on the simulated devices
# (under xvfb-run when there is no display).
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  exec ./build/bin/ORVAK
else
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ./build/bin/ORVAK
fi
