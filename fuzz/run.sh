#!/usr/bin/env bash
# Runs the fuzzers: ./fuzz/run.sh <build-dir> <seconds>: the game's, seeded with the command
# logs, then the terminal game's for half as long and the page's kept game's for a third. New
# finds go to <build-dir>/fuzz-run/corpus (console, keep), crashes to <build-dir>/fuzz-run/artifacts,
# logs to <build-dir>/fuzz-run/*-run.log. FUZZ_JOBS=n runs n processes side by side.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <seconds>" >&2; exit 2; }
work=$1/fuzz-run
mkdir -p "$work/corpus" "$work/console" "$work/keep" "$work/artifacts" "$work/seeds"
cp "$(dirname "$0")"/../tests/logs/[a-z]*.txt "$work/seeds/"  # the logs, not CMakeLists.txt
printf 'vaultmoor kept game 1\nh look\nn\nc \nc look door\\n\nend\n' >"$work/keep/seed"
par=()
[ "${FUZZ_JOBS:-1}" -gt 1 ] && par=(-jobs="$FUZZ_JOBS" -workers="$FUZZ_JOBS")
# fuzz <fuzzer> <name> <seconds> <max_len> <corpus folders...>
fuzz() {
    "$1/bin/$2" -max_total_time="$4" -timeout=10 -max_len="$5" "${par[@]}" \
        -artifact_prefix="$work/artifacts/$3-" "${@:6}" >"$work/$3-run.log" 2>&1 ||
        { tail -n 40 "$work/$3-run.log" >&2; exit 1; }
    grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$3-run.log" || true
}
fuzz "$1" vaultmoor-fuzz game "$2" 8192 "$work/corpus" "$work/seeds"
fuzz "$1" vaultmoor-fuzz-console console "$(($2 / 2))" 4096 "$work/console"
fuzz "$1" vaultmoor-fuzz-keep keep "$(($2 / 3))" 4096 "$work/keep"
echo "fuzzing passed: $2 s, $(($2 / 2)) s and $(($2 / 3)) s, logs in $work/*-run.log"
