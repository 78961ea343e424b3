#!/usr/bin/env bash
# make run: the program against the bundled simulated radio. The simulator's pseudo-terminal
# is linked at a temporary path and handed to the program, for this run only, as the COM port
# the options file names (COM 1 at first). What is typed in this terminal goes to the
# simulator (signal s1, fault no-echo, help, ...); its answers are printed here. The simulator
# stops when the program ends. Training stays out of the user's own files: program and simulator
# keep their data (service record, backups) in build/run-data/, not in ~/.local/share.
# With a second argument (make run GENERATOR=5025) the simulator also serves its signal
# generator on 127.0.0.1 at that port, and the program uses it for this run (Tools > "Align all"
# then runs unattended).
set -euo pipefail
build=${1:-build}
generator=${2:-}
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "make run: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run it in a desktop session, or inside a virtual one: xvfb-run -a make run" >&2
  exit 1
fi

# The COM port the program will open: ComPort in section [OPTION] of its options file (beside
# the program when run from the build folder), if it is one the program accepts.
options="$build/PJ5102K.rs"
[[ -f "$options" ]] || options="${XDG_CONFIG_HOME:-$HOME/.config}/qxt7130-adj/PJ5102K.rs"
port=$(awk -F= '/^\[/ { section = $0 } section == "[OPTION]" && $1 == "ComPort" { print $2 + 0 }' \
  "$options" 2>/dev/null | tail -n1 || true)
[[ "$port" =~ ^([1-9]|10)$ ]] || port=1

[[ "$build" == /* ]] || build="$PWD/$build"
export XDG_DATA_HOME="$build/run-data"
mkdir -p "$XDG_DATA_HOME"

workdir=$(mktemp -d "${TMPDIR:-/tmp}/qxt-run.XXXXXX")
link="$workdir/qzr700"
fifo="$workdir/sim-input"
mkfifo "$fifo"
sim_pid="" app_pid="" echo_pid=""
cleanup() {
  if [[ -n "$sim_pid" ]] && kill -0 "$sim_pid" 2>/dev/null; then
    echo quit >&3 || true
    sleep 0.2
    kill "$sim_pid" 2>/dev/null || true
  fi
  [[ -n "$echo_pid" ]] && kill "$echo_pid" 2>/dev/null || true
  exec 3>&- || true
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

sim_args=(--link "$link" --log "$workdir/sim.log")
app_args=(--port-device "COM$port=$link")
if [[ -n "$generator" ]]; then
  sim_args+=(--generator "$generator")
  app_args+=(--generator "TCPIP0::127.0.0.1::$generator::SOCKET")
fi
"$build/qzr700-sim" "${sim_args[@]}" <"$fifo" >"$workdir/sim.out" &
sim_pid=$!
exec 3>"$fifo"
for _ in $(seq 50); do [[ -L "$link" ]] && break; sleep 0.1; done
[[ -L "$link" ]] || { echo "make run: the simulator did not start" >&2; exit 1; }
echo "Simulated QZ-R700 on $(grep -m1 '^pty: ' "$workdir/sim.out" | sed 's/^pty: //') (COM $port). Press \"Connect\"."
[[ -n "$generator" ]] && echo "Simulated signal generator on TCPIP0::127.0.0.1::$generator::SOCKET."
echo "Service record and backups of this run: $XDG_DATA_HOME/qxt7130-adj/"
"$build/qxt7130-adj" "${app_args[@]}" &
app_pid=$!

if [[ -t 0 ]]; then
  echo "Type simulator commands here, one per line (\"help\" lists them; \"signal s1\" for the RSSI S1 point)."
  tail -n +$((2 + (${#generator} > 0 ? 1 : 0))) -f "$workdir/sim.out" &
  echo_pid=$!
  while kill -0 "$app_pid" 2>/dev/null; do
    status=0
    IFS= read -r -t 1 line || status=$?
    if ((status == 0)); then
      echo "$line" >&3
    elif ((status <= 128)); then
      break  # end of input: the program runs on without it
    fi
  done
fi
wait "$app_pid"
