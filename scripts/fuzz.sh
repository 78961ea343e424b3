#!/usr/bin/env bash
# Runs every fuzz target for a while on a copy of its seed corpus (new inputs stay in the build
# folder). A crash, a sanitizer report or a hang fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
cd "$(dirname "$0")/.."
status=0
for target in "$build"/fuzz/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target")
  work="$build/fuzz-corpus/$name"
  mkdir -p "$work" "$build/fuzz-findings/$name"
  cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  echo "== $name: ${seconds}s"
  if ! "$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-findings/$name/" 2>"$build/fuzz-findings/$name.log"; then
    echo "!! $name failed; see $build/fuzz-findings/$name.log" >&2
    tail -n 30 "$build/fuzz-findings/$name.log" >&2
    status=1
  else
    grep -a -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz-findings/$name.log" | tr '\n' ' '
    echo
  fi
done
exit $status
