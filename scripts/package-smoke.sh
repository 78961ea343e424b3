#!/usr/bin/env bash
# The Debian package as a technician gets it: installed with apt-get, the installed program
# reads the installed simulator without a display, connects to it in its window (offscreen),
# ends in order on SIGTERM with its options in the user's folder (never beside the binary),
# has the session on record, aligns the simulated radio with the simulated generator; then the
# package is removed. Needs root (or sudo).
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

deb=$(ls "$PWD/$build"/qxt7130-adj_*_amd64.deb | head -n1)
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -q "$deb" >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/qxt-smoke.XXXXXX")
sim_pid=""
finish() {
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
  $sudo apt-get remove -y -q qxt7130-adj >/dev/null || true
}
trap finish EXIT
fail() { echo "package smoke test: $*" >&2; exit 1; }

export HOME="$work/home" XDG_RUNTIME_DIR="$work"
unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"
[[ "$(/usr/bin/qxt7130-adj --version)" == "qxt7130-adj 1.0 (QX-T7130 ADJ Rev.1.0)" ]] || fail "--version"
[[ -f /usr/share/man/man1/qxt7130-adj.1.gz && -f /lib/udev/rules.d/60-qxt7130-adj.rules ]] || fail "files"
# Help > Manual reads the README installed beside the program's share/doc.
[[ -f /usr/share/doc/qxt7130-adj/README.md ]] || fail "the manual of Help > Manual"
[[ -f /usr/share/metainfo/com.tavo.qxt7130_adj.metainfo.xml ]] || fail "the AppStream file named after its id"

/usr/bin/qzr700-sim --link "$work/radio" --log "$work/sim.log" --generator 0 </dev/null >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [[ -L "$work/radio" ]] && break; sleep 0.1; done
/usr/bin/qxt7130-adj --read "$work/radio.bin" --port "$work/radio" >/dev/null || fail "--read"
[[ $(stat -c %s "$work/radio.bin") -eq 32112 ]] || fail "the image read has the wrong size"
generator="TCPIP0::127.0.0.1::$(sed -n 's/^generator: 127.0.0.1://p' "$work/sim.out")::SOCKET"
/usr/bin/qxt7130-adj --align --port "$work/radio" --generator "$generator" --sequence "BPF ALL, RSSI" \
  2>/dev/null | grep -q "^Align all: 2 of 2 done" || fail "--align"

# The runs above left live commands in the log too: the window's own come after them.
before=$(grep -c "FEFEEEEFE8" "$work/sim.log" 2>/dev/null || true)
QT_QPA_PLATFORM=offscreen /usr/bin/qxt7130-adj --port-device "COM1=$work/radio" --connect 2>"$work/app.err" &
app=$!
for _ in $(seq 300); do
  [[ $(grep -c "FEFEEEEFE8" "$work/sim.log" 2>/dev/null || true) -ge $((before + 5)) ]] && break  # connected
  sleep 0.1
done
kill -TERM "$app"
wait "$app" || fail "the window did not end in order: $(cat "$work/app.err")"
grep -q "ComPort=1" "$HOME/.config/qxt7130-adj/PJ5102K.rs" || fail "no options in the user's folder"
[[ ! -e /usr/bin/PJ5102K.rs ]] || fail "options written beside the binary"
/usr/bin/qxt7130-adj --history | grep -q "2927" || fail "the sessions are not on record"
echo "package smoke test: installed, read, aligned, connected, closed in order, on record, removed"
