#!/usr/bin/env bash
# Runs every fuzz target of the "fuzz" preset for a bounded time, starting from the committed
# seed inputs in fuzz/corpus/<tool>/ (quillox_fuzz from fuzz/corpus/quillox/, ...). Fails when a target finds a crash, a hang, a leak or a
# sanitizer report; the input that caused it is left in build/fuzz/findings/<target>/.
#
# Usage: fuzz/run_fuzzers.sh [SECONDS_PER_TARGET] [TARGET...]   (default: 60, every target)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(quillox_fuzz)
  [ -x build/fuzz/fuzz/nestlvl_fuzz ] && targets+=(nestlvl_fuzz)
fi

root=$PWD/build/fuzz
status=0
passed=0
failed=0
for target in "${targets[@]}"; do
  binary=$root/fuzz/$target
  seeds=$PWD/fuzz/corpus/${target%_fuzz}
  corpus=$root/corpus/$target        # inputs found in this run; the seeds stay untouched
  findings=$root/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== $target: ${seconds}s from fuzz/corpus/${target%_fuzz}"
  # The targets change their working folder during a run: every path given here is absolute.
  if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$findings/" \
       "$corpus" "$seeds" > "$root/$target.log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$root/$target.log" || true
    echo "$target: no finding"
    passed=$((passed + 1))
  else
    tail -n 60 "$root/$target.log"
    echo "$target: FINDING, input left in $findings/"
    status=1
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit $status
