#!/usr/bin/env bash
# The Debian package checked as Debian checks its own: the installed tree's AppStream data and
# desktop entry validated where they land, and lintian with every tag shown, failing on errors
# and on any tag about hardening or unstripped compiler notes.
set -euo pipefail
build=${1:-build}
deb=$(ls "$build"/qxt7130-adj_*_amd64.deb | head -n1)
tree="$build/package-tree"
rm -rf "$tree"
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree"
desktop-file-validate "$tree/usr/share/applications/qxt7130-adj.desktop"
report=$(lintian -I --pedantic --fail-on error "$deb") || { echo "$report"; exit 1; }
[[ -z "$report" ]] || echo "$report"
if grep -E "hardening-no-|binary-has-unneeded-section" <<<"$report"; then
  echo "package check: the binaries are not hardened or not stripped as Debian's are" >&2
  exit 1
fi
echo "package check: $(basename "$deb"): installed tree valid, no hardening or .comment tags"
