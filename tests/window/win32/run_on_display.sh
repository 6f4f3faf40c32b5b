#!/bin/sh
# Runs a Windows program under Wine on a virtual display of its own: WINE PREFIX PROGRAM [ARGS].
# The prefix's Wine server serves that display alone, and is stopped afterwards, because the
# first program of a server decides the display all its windows go to. Xvfb has no window
# manager, so Wine is told not to wait for one. ZORVANE_DPI, when set, is the screen's DPI.
set -eu
wine=$1 prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=wineserver
"$wineserver" -k 2>/dev/null || true
exec xvfb-run -a sh -c '
  wine=$0 wineserver=$1
  shift
  "$wine" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  "$wine" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD \
    /d "${ZORVANE_DPI:-96}" /f >/dev/null 2>&1
  status=0
  "$wine" "$@" || status=$?
  "$wineserver" -k 2>/dev/null || true
  exit $status' "$wine" "$wineserver" "$@"
