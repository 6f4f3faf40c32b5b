#!/usr/bin/env bash
# Zorvane.exe as a user meets it, under Wine on a virtual display: started with a pass phrase,
# a lower-case triad typed into it with real key events and Enter, its results copied out with
# Ctrl+A and Ctrl+C and compared with what zorvane-cli prints, then closed by its close box.
# By hand, not in CI (it waits on fixed delays): BUILD_WINDOWS LINUX_CLI [WINE].
set -euo pipefail
build=$(realpath "$1") cli=$2 wine=${3:-/usr/lib/wine/wine64}
export WINEPREFIX=$build/wineprefix-display WINEDEBUG=-all
phrase="blue harbour lantern"
run() {
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$wine" "$build/src/Zorvane.exe" $phrase &
  local pid=$! w=
  for _ in $(seq 50); do
    w=$(xdotool search --name "Dates for a specified Timecode" 2>/dev/null | head -1) && [ -n "$w" ] && break
    sleep 0.2
  done
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$w")"
  # Wine draws the frame itself: the client area starts 3 pixels in and 22 down.
  click() { xdotool mousemove --window "$w" $((3 + $1)) $((22 + $2)) click 1; sleep 0.3; }
  click 80 289 && xdotool type --delay 50 bag && xdotool key Return && sleep 1
  click 260 100 && xdotool key ctrl+a ctrl+c && sleep 0.5
  xclip -o -selection clipboard | tr -d '\r' >"$build/end_to_end_results.txt"
  click 80 289 && xdotool key ctrl+a ctrl+c && sleep 0.3
  [ "$(xclip -o -selection clipboard)" = BAG ] || { echo "the triad was not upper-cased"; return 1; }
  xdotool mousemove --window "$w" $((WIDTH - 12)) 11 click 1
  wait "$pid"
}
if [ "${ZORVANE_ON_DISPLAY:-}" = 1 ]; then
  run
  exit
fi
ZORVANE_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
"$cli" find --pass-phrase "$phrase" BAG | diff - "$build/end_to_end_results.txt"
echo "Zorvane.exe: the same $(wc -l <"$build/end_to_end_results.txt") lines as zorvane-cli, closed with status 0"
