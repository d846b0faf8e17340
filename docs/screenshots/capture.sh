#!/usr/bin/env bash
# Plays one short round of the built game on a virtual 1920x1080 screen and
# photographs it: the start window, the rules dialog beside it, the guessing
# window mid-round, in full screen (F4), and the end of the round with its
# box and after it.
#
#   docs/screenshots/capture.sh [path/to/caici] [display number]
#
# Needs xvfb, xdotool and imagemagick. Sound goes to SDL's dummy driver.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$root/build/dev/bin/caici}")
display=":${2:-97}"
out="$root/docs/screenshots"

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp &
xvfb=$!
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$root/game" && SDL_AUDIODRIVER=dummy exec "$game") &
game_pid=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -n1; }
origin() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)='; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
shoot_window() { import -window "$1" "$out/$2"; }
shoot_area() { import -window root -crop "$1" +repage "$out/$2"; }

start=$(window '^猜词大挑战$')
sleep 4  # the title has shown both of its lines once
eval "$(origin "$start")"
shoot_window "$start" start-window.png

# The rules dialog opens beside the start window, which moves aside for it.
click_at $((X + 168)) $((Y + 196))
rules=$(window '^游戏规则和设置$')
sleep 0.5
eval "$(origin "$start")"
shoot_area "$((453 + 10 + 455))x463+${X}+${Y}" rules-dialog.png
# A short round for the pictures: 20 seconds.
eval "$(origin "$rules")"
click_at $((X + 286)) $((Y + 159))
xdotool key ctrl+a
xdotool type 20
xdotool key Escape
sleep 0.5

eval "$(origin "$start")"
click_at $((X + 370)) $((Y + 169))
round=$(window '^猜词窗口$')
sleep 1.5
eval "$(origin "$round")"
# Two correct answers and a skip, then the next word has shown.
click_at $((X + 847)) $((Y + 645))
sleep 0.3
click_at $((X + 847)) $((Y + 645))
sleep 0.3
click_at $((X + 1047)) $((Y + 645))
sleep 1.2
shoot_window "$round" guessing-window.png

xdotool key F4
sleep 1.5
import -window root -resize 50% "$out/full-screen.png"
xdotool key F4
sleep 1

# The countdown runs out; the end box waits for the operator.
box=$(window '^提示$')
sleep 1.2
eval "$(origin "$round")"
shoot_area "${WIDTH}x${HEIGHT}+${X}+${Y}" round-end-box.png
eval "$(origin "$box")"
click_at $((X + 20)) $((Y + 10))
xdotool key Return
sleep 1.5
eval "$(origin "$round")"
shoot_area "${WIDTH}x${HEIGHT}+${X}+${Y}" round-end.png
