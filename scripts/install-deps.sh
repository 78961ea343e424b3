#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Does nothing (and needs no network) when every package is already there.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config git
  qt6-base-dev qt6-serialport-dev libqt6serialport6 qt6-qpa-plugins qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libsqlitecpp-dev libsqlite3-dev nettle-dev
  libpq-dev postgresql-15 util-linux
  liblxi-dev libtirpc-dev
  libsimpleini-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-dev clang-format
  xvfb xauth fonts-liberation fontconfig
  dpkg-dev lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
