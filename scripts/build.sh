#!/bin/sh
# Configures and builds into the folder given as $1 (default: build); further
# arguments go to cmake's configure step.
set -e
cd "$(dirname "$0")/.."
dir=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
