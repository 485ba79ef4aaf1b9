#!/bin/sh
# Fails when a source file under src/, tests/, tools/, fuzz/ or bench/ is not
# formatted with the repository's .clang-format.
set -e
cd "$(dirname "$0")/.."
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h' 'bench/*.cpp' 'bench/*.h' \
    | grep -v '^tests/data/' | xargs clang-format --dry-run --Werror
