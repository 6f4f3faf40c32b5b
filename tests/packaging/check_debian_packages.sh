#!/usr/bin/env bash
# Makes the Debian packages of a release build and checks them as a distribution would:
# lintian with every tag it has, the desktop entry, the AppStream metainfo and the man pages.
set -euo pipefail
cd "$1"
rm -f ./*.deb
cpack -G DEB >/dev/null
lintian --pedantic --info --display-experimental --fail-on error,warning,info,pedantic \
  zorvane-cli_*.deb zorvane_*.deb 2> >(grep -v 'root privileges' >&2)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for deb in ./*.deb; do dpkg-deb -x "$deb" "$root"; done
depends=$(dpkg-deb -f zorvane-cli_*.deb Depends)
if grep -qi qt <<<"$depends"; then
  echo "zorvane-cli depends on Qt" >&2
  exit 1
fi
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net --strict "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
done
echo "packages: $(ls ./*.deb | tr '\n' ' ')pass lintian, desktop-file-validate, appstreamcli, man"
