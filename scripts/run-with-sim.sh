#!/usr/bin/env bash
# make run: the program against the bundled simulated radio. The simulator's pseudo-terminal
# is linked at a fixed path and handed to the program as COM 1 for this run only; the
# simulator stops when the program ends.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "make run: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run it in a desktop session, or inside a virtual one: xvfb-run -a make run" >&2
  exit 1
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/qxt-run.XXXXXX")
link="$workdir/qzr700"
fifo="$workdir/sim-input"
mkfifo "$fifo"
sim_pid=""
cleanup() {
  if [[ -n "$sim_pid" ]] && kill -0 "$sim_pid" 2>/dev/null; then
    echo quit >&3 || true
    sleep 0.2
    kill "$sim_pid" 2>/dev/null || true
  fi
  exec 3>&- || true
  rm -rf "$workdir"
}
trap cleanup EXIT INT TERM

"$build/qzr700-sim" --link "$link" --log "$workdir/sim.log" <"$fifo" >"$workdir/sim.out" &
sim_pid=$!
exec 3>"$fifo"
for _ in $(seq 50); do [[ -L "$link" ]] && break; sleep 0.1; done
[[ -L "$link" ]] || { echo "make run: the simulator did not start" >&2; exit 1; }
echo "Simulated QZ-R700 on $(head -n1 "$workdir/sim.out" | sed 's/^pty: //') (COM 1). Press \"Connect\"."
"$build/qxt7130-adj" --port-device "COM1=$link"
