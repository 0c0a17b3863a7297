#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build from its seed corpus (fuzz/corpus/<name>/),
# all at once, each for a bounded time. New inputs go to <build>/fuzz-work, never
# into the repo. Any crash, sanitizer report or broken promise fails the run and
# leaves the input in <build>/fuzz-work/<name>/findings/.
# Usage: fuzz/run.sh <fuzz build folder> [seconds per target, default 30]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-30}

names=()
for exe in "$build"/fuzz/*_fuzz; do
  name=$(basename "$exe" _fuzz)
  work="$build/fuzz-work/$name"
  mkdir -p "$work/corpus" "$work/findings"
  # Settings files are short; a longer input only slows each run.
  extra=()
  [ "$name" = settings ] && extra=(-max_len=1024)
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "${extra[@]}" -artifact_prefix="$work/findings/" "$work/corpus" "$here/corpus/$name" \
    >"$work/log" 2>&1 &
  names+=("$name:$!")
done

status=0
for entry in "${names[@]}"; do
  name=${entry%%:*}
  if wait "${entry##*:}"; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz-work/$name/log")
    echo "fuzz $name: ${runs:-?} runs, no finding"
  else
    echo "fuzz $name: FINDING (input kept in $build/fuzz-work/$name/findings/)"
    grep -E -A30 "broken promise|ERROR:|runtime error" "$build/fuzz-work/$name/log" | head -60 || true
    status=1
  fi
done
exit $status
