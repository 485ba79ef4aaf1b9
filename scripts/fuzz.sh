#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz and runs each one for a short,
# bounded time on its seeds and on what earlier runs found. Fails when any
# target finds a fault; the input that found it is kept under
# build-fuzz/findings/<target>/ and its path printed. Seconds per target:
# FUZZ_SECONDS (default 15). One target again on a kept input:
#   build-fuzz/fuzz-targets/<target> build-fuzz/findings/<target>/<file>
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh fuzz
dir=$PWD/build-fuzz
CXX=clang++ CC=clang cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAK_FUZZ=ON \
  -DORVAK_WERROR=ON >/dev/null
cmake --build "$dir" --target orvak_fuzz --parallel "$(nproc)"

seconds=${FUZZ_SECONDS:-15}
mkdir -p "$dir/tmp"
# Temporary per-user folders of a crashed run stay inside the build folder.
export TMPDIR="$dir/tmp"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=""
for target in "$dir"/fuzz-targets/fuzz_*; do
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  findings="$dir/findings/$name"
  log="$dir/findings/$name.log"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  printf 'fuzz: %s for %ss\n' "$name" "$seconds"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$findings/" "$corpus" "$dir/fuzz-seeds/$name" >"$log" 2>&1; then
    # The sanitizer's or libFuzzer's report, else the end of the log.
    if grep -q 'ERROR:' "$log"; then sed -n '/ERROR:/,$p' "$log" | head -n 60; else tail -n 40 "$log"; fi
    for input in "$findings"/*; do
      [ -f "$input" ] && printf 'fuzz: %s found a fault; input kept: %s\n' "$name" "$input"
    done
    failed="$failed $name"
  fi
done
if [ -n "$failed" ]; then
  printf 'fuzz: faults found by:%s (logs under %s/findings)\n' "$failed" "$dir"
  exit 1
fi
echo "fuzz: no findings"
