#!/usr/bin/env bash
# Runs the game fuzzer: ./fuzz/run.sh <build-dir> <seconds>, seeded with the command logs,
# then the terminal game's for half as long and the page's kept game for a third. New finds go to <build-dir>/fuzz-run/corpus (and
# fuzz-run/console), crashes to <build-dir>/fuzz-run/artifacts.
# FUZZ_JOBS=n runs n processes side by side.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <seconds>" >&2; exit 2; }
work=$1/fuzz-run
mkdir -p "$work/corpus" "$work/artifacts" "$work/seeds"
cp "$(dirname "$0")"/../tests/logs/*.txt "$work/seeds/"
rm -f "$work/seeds/CMakeLists.txt"
par=()
[ "${FUZZ_JOBS:-1}" -gt 1 ] && par=(-jobs="$FUZZ_JOBS" -workers="$FUZZ_JOBS")
"$1/bin/vaultmoor-fuzz" -max_total_time="$2" -timeout=10 -max_len=8192 "${par[@]}" \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$work/seeds" \
    >"$work/last-run.log" 2>&1 || { tail -n 40 "$work/last-run.log" >&2; exit 1; }
grep -E '^#[0-9]+[[:space:]]+DONE' "$work/last-run.log" || true
mkdir -p "$work/console"
"$1/bin/vaultmoor-fuzz-console" -max_total_time="$(($2 / 2))" -timeout=10 -max_len=4096 \
    "${par[@]}" -artifact_prefix="$work/artifacts/console-" "$work/console" \
    >"$work/console-run.log" 2>&1 || { tail -n 40 "$work/console-run.log" >&2; exit 1; }
grep -E '^#[0-9]+[[:space:]]+DONE' "$work/console-run.log" || true
mkdir -p "$work/keep"
printf 'vaultmoor kept game 1\nh look\nn\nc \nc look door\\n\nend\n' >"$work/keep/seed"
"$1/bin/vaultmoor-fuzz-keep" -max_total_time="$(($2 / 3))" -timeout=10 -max_len=4096 "${par[@]}" \
    -artifact_prefix="$work/artifacts/keep-" "$work/keep" >"$work/keep-run.log" 2>&1 ||
    { tail -n 40 "$work/keep-run.log" >&2; exit 1; }
grep -E '^#[0-9]+[[:space:]]+DONE' "$work/keep-run.log" || true
echo "fuzzing passed: $2 s, $(($2 / 2)) s and $(($2 / 3)) s, logs in $work/*-run.log"
