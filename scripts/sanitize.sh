#!/usr/bin/env bash
# Builds the program and its whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer (gcc, Debug) in ./build-asan and runs the
# suite. Any memory error, undefined behaviour or leak fails its test; the
# only leaks let through are those of the toolkit's own libraries, listed in
# scripts/lsan.supp (matched against whole stacks: fast_unwind_on_malloc=0).
#
#   scripts/sanitize.sh [CTEST ARGUMENTS...]     e.g. -R test_common
#
# The build and the tests run at the lowest priority; SANITIZE_JOBS (default
# 1) sets how many compilers and tests run at once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"

jobs="${SANITIZE_JOBS:-1}"
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DTIVAREL_BUILD_BENCH=OFF >/dev/null
nice -n 19 cmake --build build-asan -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:halt_on_error=1:strict_string_checks=1:check_initialization_order=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd build-asan
QT_QPA_PLATFORM=offscreen nice -n 19 ctest -j "$jobs" --output-on-failure --timeout 1800 "$@"
