#!/usr/bin/env bash
# tq370 in a real X window (Xvfb) against tqr480-sim on a pseudo-terminal: a click on a
# strip's mute, a typed master volume, a band dragged in the EQ panel's scope and a gain
# typed into its band table must reach the processor, as a person would do it. Skips (77) where Xvfb, xdotool or ImageMagick's import is missing.
# Usage: real_window.sh TQ370 TQR480_SIM TQ370CTL [SCREENSHOT]
set -euo pipefail
tq370="$1" sim="$2" ctl="$3" shot="${4:-}"
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work="$(mktemp -d)"
xpid="" app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "${SIM_PID:-}" ] && kill "$SIM_PID" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/app.log" ] && tail -5 "$work/app.log" >&2; exit 1; }
scale=(--time-scale 0.2)

n=90; while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
export DISPLAY=":$n" XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

coproc SIM { exec "$sim" --pty "${scale[@]}"; }
read -r -t 10 -u "${SIM[0]}" port || fail "tqr480-sim printed no port"

"$tq370" --serial "$port" "${scale[@]}" --lang en >"$work/app.log" 2>&1 & app=$!
timeout 20 xdotool search --sync --onlyvisible --pid "$app" >/dev/null || fail "no window"
# The link button's lamp (design 129, 12) turns green when the processor answers; the
# read-back follows.
lamp_green() {
    import -window root -crop 1x1+129+12 -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR == 2 { exit !($4 > $3 + 40) }'
}
for _ in $(seq 100); do lamp_green && break; sleep 0.2; done
lamp_green || fail "the link button never showed the connection"
sleep 1.5

# Design coordinates: the window lies at (0, 0) at 1280 x 728. CH3's mute, then the
# master-volume box.
xdotool mousemove 299 144 click 1
sleep 0.5
xdotool mousemove 94 40 click 1 key ctrl+a type -- -12
xdotool key Return
sleep 0.5
# The EQ panel (from y 160): band 18's handle (1 kHz, at 800, 318) dragged 50 pixels up,
# which graphic mode makes +7 dB; then -4.5 typed into band 4's gain box.
xdotool mousemove 800 318 mousedown 1
for step in 1 2 3 4 5 6 7 8; do xdotool mousemove 800 $((318 - 50 * step / 8)); sleep 0.03; done
xdotool mouseup 1
sleep 0.5
xdotool mousemove 378 563 click 1 key ctrl+a type -- -4.5
xdotool key Return
sleep 1
[ -n "$shot" ] && import -window root -crop 1280x728+0+0 "$shot"
kill -0 "$app" 2>/dev/null || fail "tq370 ended"
kill "$app"; wait "$app" 2>/dev/null || true; app=""

# CH3's mute, the master volume, CH1's band 18 and band 4 gains.
got="$("$ctl" --serial "$port" "${scale[@]}" --timeout 20 get 207 176 457 401)"
[ "$got" = $'207 1\n176 588\n457 570\n401 455' ] || fail "the processor holds: $got"
echo "tq370 in a real window: all passed"
