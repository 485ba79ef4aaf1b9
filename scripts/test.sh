#!/bin/sh
# Installs what is missing, builds, and runs every test. Pass a build folder
# and cmake options to build a variant, e.g. the sanitizer build:
#   scripts/test.sh build-asan -DORVAK_SANITIZE=ON
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
dir=${1:-build}
[ $# -gt 0 ] && shift
./scripts/build.sh "$dir" -DORVAK_WERROR=ON "$@"
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)"
