#!/usr/bin/env bash
# Photographs the phone remote: the rules dialog with its QR code beside the
# start window (the real windows, framed by openbox on a virtual screen), and
# the phone's page in a 390x844 viewport of headless Chromium during a round.
# The game is started with --remote; the page is opened over loopback.
#
#   docs/screenshots/capture_remote.sh [path/to/caici] [display number] [port]
#
# Needs xvfb, openbox, xdotool, x11-utils, imagemagick and chromium. Sound goes to SDL's
# dummy driver; the game's settings go to a folder of their own.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$root/build/dev/bin/caici}")
display=":${2:-96}"
port="${3:-18765}"
out="$root/docs/screenshots"
work=$(mktemp -d)

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp &
xvfb=$!
wm=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

(cd "$root/game" && XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy exec "$game" --remote="$port" >"$work/out") &
game_pid=$!
for _ in $(seq 100); do [ -s "$work/out" ] && break; sleep 0.1; done
path=$(sed -n "s#^遥控地址: http://[^/]*\(/[0-9a-f]*/\)\$#\1#p" "$work/out")
[ -n "$path" ] || { echo "the game printed no address" >&2; exit 1; }

window() { xdotool search --sync --onlyvisible --name "$1" | head -n1; }
# The client area on the screen; xdotool's own geometry counts openbox's
# frame in twice.
origin() {
  xwininfo -id "$1" | sed -n -e 's/^ *Absolute upper-left X: *\([0-9-]*\)/X=\1/p' \
    -e 's/^ *Absolute upper-left Y: *\([0-9-]*\)/Y=\1/p' -e 's/^ *Width: *\([0-9]*\)/WIDTH=\1/p' \
    -e 's/^ *Height: *\([0-9]*\)/HEIGHT=\1/p'
}
click_at() { xdotool mousemove "$1" "$2" click 1; }

start=$(window '^猜词大挑战$')
sleep 4  # the title has shown both of its lines once
eval "$(origin "$start")"
# The rules dialog opens beside the start window, the QR code in both.
click_at $((X + 168)) $((Y + 196))
rules=$(window '^游戏规则和设置$')
sleep 1
eval "$(origin "$rules")"
dialog_top=$Y
dialog_right=$((X + WIDTH))
dialog_bottom=$((Y + HEIGHT))
eval "$(origin "$start")"
# Both windows whole: the taller dialog may stand higher than the start window.
top=$((Y < dialog_top ? Y : dialog_top))
bottom=$((Y + HEIGHT > dialog_bottom ? Y + HEIGHT : dialog_bottom))
import -window root -crop "$((dialog_right - X))x$((bottom - top))+${X}+${top}" +repage "$out/remote-dialog.png"

# A round with one word guessed, as the operator's phone shows it.
click_at $((X + 370)) $((Y + 169))
round=$(window '^猜词窗口$')
sleep 1.5
eval "$(origin "$round")"
click_at $((X + 847)) $((Y + 645))
sleep 2.5

chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/browser" --hide-scrollbars \
  --window-size=390,844 --virtual-time-budget=3000 --screenshot="$out/remote-phone.png" \
  "http://127.0.0.1:$port$path" 2>/dev/null
