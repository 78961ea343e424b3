#!/usr/bin/env bash
# make bench: one table of figures, each with its target. The connect at 9600 bit/s alone takes
# about a hundred seconds (the whole EEPROM at the real line rate); nothing here fails a build.
set -uo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
echo "| Figure | Measured | Target |"
echo "|---|---|---|"
"$build/bench/bench_driver" --benchmark_min_time=0.5
if [[ -z "${DISPLAY:-}" ]] && command -v xvfb-run >/dev/null; then
  # The start-up time is measured on a real (virtual) X display.
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_figures"
else
  "$build/bench/bench_figures"
fi
# The service record at 2,000, 10,000 and 50,000 sessions (about 2.5 GB written to /tmp and
# removed after).
"$build/bench/record_scale"
# The shop's record: value steps with its server on, paused and stopped; the sender's rate.
"$build/bench/shop_record_bench"
exit 0
