#!/usr/bin/env bash
# tq370 as a user starts it, on the offscreen platform: its command line, a screenshot run,
# the single instance and a link that never comes up. Usage: program_runs.sh PATH_TO_TQ370
set -euo pipefail
tq370="$1"
work="$(mktemp -d)"
first=""
trap '[ -n "$first" ] && kill "$first" 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
scale=(--time-scale 0.2)

"$tq370" --help | grep -q -- '--screenshot' || fail "--help does not list --screenshot"
[ "$("$tq370" --version)" = "tq370 1.0" ] || fail "--version: $("$tq370" --version)"
status=0; "$tq370" --demo --usb 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--demo --usb exited $status"
grep -q 'excludes' "$work/err" || fail "--demo --usb said: $(cat "$work/err")"

# A screenshot once the simulated processor is read: a 1280 x 728 PNG, exit 0.
"$tq370" --demo "${scale[@]}" --screenshot "$work/shot.png" --timeout 30 >/dev/null 2>"$work/err" ||
    fail "screenshot run: $(tail -3 "$work/err")"
size=$(od -An -tu1 -j16 -N8 "$work/shot.png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
[ "$size" = "1280x728" ] || fail "the screenshot is $size"

# No processor behind the port: exit 1 with a message at the time-out.
status=0; "$tq370" --serial "$work/no-such-port" --screenshot "$work/none.png" --timeout 1 \
    2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a link that never comes up exited $status"
grep -q 'did not come up within 1 s' "$work/err" || fail "time-out said: $(cat "$work/err")"
[ ! -e "$work/none.png" ] || fail "a picture without a link"

# A second start tells the user, leaves the first running and exits 0.
"$tq370" --demo "${scale[@]}" --answer-messages-at-once --lang en >/dev/null 2>&1 & first=$!
for _ in $(seq 100); do [ -S "$work/TQ370.socket" ] && break; sleep 0.1; done
[ -S "$work/TQ370.socket" ] || fail "the first start does not listen"
status=0; "$tq370" --answer-messages-at-once --lang en 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "the second start exited $status"
grep -q 'The Program is Running!' "$work/err" || fail "the second start said: $(cat "$work/err")"
kill -0 "$first" 2>/dev/null || fail "the first start ended"
echo "tq370 program runs: all passed"
