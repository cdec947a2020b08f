#!/usr/bin/env bash
# Measures tq370 against tqr480-sim on a pseudo-terminal at full time scale: cold start to
# the first painted window, the user-interface thread's time for the read-back's register
# reports, the resident memory once connected, and the CPU use of the idle connected
# program. Runs in Xvfb when it is installed, else on the offscreen platform.
#   bench/tq370_measure.sh [BUILD_BIN_FOLDER] [IDLE_SECONDS]   (defaults build/release/bin, 60)
set -euo pipefail
bin="${1:-build/release/bin}" idle="${2:-60}"
work="$(mktemp -d)"
xpid="" app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "${SIM_PID:-}" ] && kill "$SIM_PID" 2>/dev/null; [ -n "$xpid" ] && kill "$xpid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
if command -v Xvfb >/dev/null; then
    n=90; while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
    export DISPLAY=":$n"; unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    sleep 1
    platform="Xvfb"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi

coproc SIM { exec "$bin/tqr480-sim" --pty; }
read -r -t 10 -u "${SIM[0]}" port

start_ns=$(date +%s%N)
"$bin/tq370" --serial "$port" --report-timing --lang en >"$work/log" 2>&1 & app=$!
for _ in $(seq 600); do grep -q '^timing connected' "$work/log" && break; sleep 0.1; done
grep -q '^timing connected' "$work/log" || { echo "tq370 did not connect:"; tail "$work/log"; exit 1; }

value() { awk -v key="$1" '$1 == "timing" && $2 == key { print $3 }' "$work/log"; }
first_paint_ns=$(value first-paint-unix-ns)
read -r shown ui_ms longest_ms < <(awk '$2 == "registers-shown" { print $3, $5, $7 }' "$work/log")
rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app/status")

ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
before=$(ticks); sleep "$idle"; after=$(ticks)
hz=$(getconf CLK_TCK)

echo "tq370 against tqr480-sim at full time scale ($platform)"
awk -v a="$start_ns" -v b="$first_paint_ns" 'BEGIN { printf "cold start to first painted window: %.0f ms\n", (b - a) / 1e6 }'
echo "user-interface time for the read-back's $shown register reports: $ui_ms ms, longest batch $longest_ms ms"
awk -v kb="$rss_kb" 'BEGIN { printf "resident memory once connected: %.1f MB\n", kb / 1024 }'
awk -v t="$((after - before))" -v hz="$hz" -v s="$idle" \
    'BEGIN { printf "CPU while idle and connected over %d s: %.2f %% of one core\n", s, t / hz / s * 100 }'
