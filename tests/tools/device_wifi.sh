#!/usr/bin/env bash
# tq370ctl's device commands over WiFi against tqr480-sim's WiFi module on a loopback
# address, all protocol waits scaled down. Nothing leaves 127.0.0.0/8: the processor's
# address is given, so no discovery runs.
# Usage: device_wifi.sh PATH_TO_TQ370CTL PATH_TO_TQR480_SIM
set -euo pipefail
ctl="$1"
sim="$2"
work="$(mktemp -d)"
fail() { echo "FAIL: $*" >&2; exit 1; }
registers() { "$ctl" preset show "$1" | tail -n 1901; }

address=127.0.0.3
tcp=$((20000 + RANDOM % 20000))
udp=$((tcp + 1))
seq 230 1875 | awk '{ print $1, ($1 * 5 + 1) % 30000 }' | "$ctl" preset make -o "$work/start" >/dev/null

coproc SIM { exec "$sim" --tcp "$address:$tcp" --udp "$address:$udp" --preset "$work/start.mxb" --time-scale 0.1; }
# Bash forgets a coprocess's variables as soon as it ends, so its pid is kept here.
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r -t 10 -u "${SIM[0]}" line || fail "tqr480-sim printed nothing"
[ "$line" = "wifi $address:$tcp $address:$udp" ] || fail "tqr480-sim said '$line'"
dev() {
    "$ctl" --wifi "$address" --tcp-port "$tcp" --udp-port "$udp" --own-address 127.0.0.1 \
        --time-scale 0.1 --timeout 20 "$@"
}

[ "$(dev info | sed -n 3p)" = 'link wifi' ] || fail "info: $(dev info)"
dev read -o "$work/read" >/dev/null || fail "read"
diff <(registers "$work/start.mxb") <(registers "$work/read.mxb") >"$work/diff" ||
    fail "read differs from the simulator's registers: $(head -5 "$work/diff")"
dev set 400=4321 >/dev/null || fail "set"
[ "$(dev get 400)" = '400 4321' ] || fail "get after set: $(dev get 400)"

# A processor linked to another PC is said to be so, with both addresses.
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
coproc SIM { exec "$sim" --tcp "$address:$tcp" --udp "$address:$udp" --linked-pc 127.0.0.9 --time-scale 0.1; }
sim_pid=$SIM_PID
read -r -t 10 -u "${SIM[0]}" line || fail "the tqr480-sim linked elsewhere printed nothing"
status=0
"$ctl" --wifi "$address" --tcp-port "$tcp" --udp-port "$udp" --own-address 127.0.0.1 \
    --time-scale 0.1 --timeout 2 info 2>"$work/err" >/dev/null || status=$?
[ "$status" -eq 1 ] || fail "info with a processor linked elsewhere exited $status"
grep -q "the processor at $address is linked to another PC (127.0.0.9)" "$work/err" ||
    fail "info with a processor linked elsewhere said: $(cat "$work/err")"
echo "wifi device commands passed"
