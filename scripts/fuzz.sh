#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer in ./build-fuzz, then runs each of them in
# turn for a given time, at the lowest priority, one at a time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS defaults to 60 per target; without TARGET every target runs.
# Each target starts from the seeds of tests/fuzz/corpus/<name> (the round
# trip of a section uses its section's seeds) and keeps what it finds in
# build-fuzz/corpus/<target>; a crash, leak or failed check is written to
# build-fuzz/findings/<target>-*, the run's output to build-fuzz/logs.
# A summary (time, executions, findings per target) ends the run; the exit
# status is 1 when any target found something.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"
shift || true

# clang and its libFuzzer runtime (Debian: libclang-rt-<version>-dev).
"$root/scripts/setup.sh"
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  version="$(clang++ --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)"
  packages=(clang "libclang-rt-${version:-14}-dev")
  if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
  echo "Installation de : ${packages[*]}"
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${packages[@]}"
fi

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DTIVAREL_FUZZ=ON -DTIVAREL_BUILD_TESTS=OFF -DTIVAREL_BUILD_BENCH=OFF >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for s in agenda address birthday todo budget album video shopping book reimbursement; do
    targets+=("fuzz_$s" "fuzz_${s}_roundtrip")
  done
  targets+=(fuzz_blockfile fuzz_settings fuzz_lists)
  targets+=(fuzz_picture_jpeg fuzz_picture_pcx fuzz_picture_gif fuzz_picture_bmp)
fi
nice -n 19 cmake --build build-fuzz -j "${FUZZ_BUILD_JOBS:-1}" --target "${targets[@]}"

mkdir -p build-fuzz/corpus build-fuzz/findings build-fuzz/logs
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen
summary=()
status=0
for t in "${targets[@]}"; do
  name="${t#fuzz_}"
  name="${name%_roundtrip}"
  corpus="build-fuzz/corpus/$t"
  mkdir -p "$corpus"
  seeds="tests/fuzz/corpus/$name"
  # Text files share one dictionary of markers; pictures go without.
  case "$name" in
    picture_*) maxlen=65536; dict=() ;;
    *) maxlen=8192; dict=(-dict=tests/fuzz/text.dict) ;;
  esac
  log="build-fuzz/logs/$t.log"
  echo "== $t: ${seconds} s"
  set +e
  nice -n 19 "build-fuzz/fuzz/$t" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) "${dict[@]}" \
    -max_total_time="$seconds" -max_len="$maxlen" -timeout=20 -rss_limit_mb=2560 \
    -artifact_prefix="build-fuzz/findings/$t-" -print_final_stats=1 >"$log" 2>&1
  rc=$?
  set -e
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  if [ $rc -eq 0 ]; then
    result="rien trouvé"
  else
    result="TROUVÉ (voir $log)"
    status=1
  fi
  line="$(printf '%-28s %6s s %12s exécutions  %s' "$t" "$seconds" "${execs:-?}" "$result")"
  echo "$line"
  summary+=("$line")
done
echo
printf '%s\n' "${summary[@]}"
exit $status
