#!/usr/bin/env bash
# Runs the game fuzzer: ./fuzz/run.sh <build-dir> <seconds>
# Seeds come from fuzz/corpus (never written to); new finds go to <build-dir>/fuzz-run/corpus,
# crashes to <build-dir>/fuzz-run/artifacts. Exits non-zero when the fuzzer finds a fault.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 <build-dir> <seconds>" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
bin=$build/bin/vaultmoor-fuzz
if [ ! -x "$bin" ]; then
    echo "$bin not found: build the fuzz preset first" >&2
    exit 2
fi

work=$build/fuzz-run
mkdir -p "$work/corpus" "$work/artifacts"
VAULTMOOR_FUZZ_DICT=$work/commands.dict "$bin"

# FUZZ_JOBS=n runs n processes side by side (their logs: <build-dir>/fuzz-run/fuzz-*.log).
jobs=${FUZZ_JOBS:-1}
parallel=()
if [ "$jobs" -gt 1 ]; then parallel=(-jobs="$jobs" -workers="$jobs"); fi
cd "$work"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# The seeds first, each on its own, so that a known crash fails at once and clearly.
if ! "$bin" -runs=0 "$here/corpus" >"$work/seeds.log" 2>&1; then
    echo "a seed of fuzz/corpus fails:" >&2
    tail -n 60 "$work/seeds.log" >&2
    exit 1
fi
echo "seeds: $(ls "$here/corpus" | wc -l) inputs replayed"

status=0
"$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -dict="$work/commands.dict" -artifact_prefix="$work/artifacts/" \
    -print_final_stats=1 "${parallel[@]}" \
    "$work/corpus" "$here/corpus" >"$work/last-run.log" 2>&1 || status=$?
grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)|stat::number_of_executed_units|stat::peak_rss|SUMMARY|ERROR|fault' \
    "$work/last-run.log" || true
if [ $status -ne 0 ]; then
    echo "fuzzer found a fault (exit $status); inputs in $work/artifacts:" >&2
    ls -l "$work/artifacts" >&2 || true
    tail -n 60 "$work/last-run.log" >&2
    exit $status
fi
echo "fuzzing passed: $seconds s, log in $work/last-run.log"
