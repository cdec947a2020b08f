#!/usr/bin/env bash
# tq370ctl's device commands against tqr480-sim on a pseudo-terminal, all protocol waits
# scaled down. Usage: device_commands.sh PATH_TO_TQ370CTL PATH_TO_TQR480_SIM
set -euo pipefail
ctl="$1"
sim="$2"
work="$(mktemp -d)"
scale=(--time-scale 0.1 --timeout 20)
fail() { echo "FAIL: $*" >&2; exit 1; }
registers() { "$ctl" preset show "$1" | tail -n 1901; }

# A preset unlike the defaults for the simulator to start from.
seq 230 1875 | awk '{ print $1, ($1 * 7 + 3) % 30000 }' | "$ctl" preset make -o "$work/start" >/dev/null

# One simulator at a time; bash forgets a coprocess's variables as soon as it ends, so its
# pid and output are kept here.
sim_pid=""
start_sim() {  # ARGS for tqr480-sim; sets port
    coproc SIM { exec "$sim" --pty --preset "$work/start.mxb" --time-scale 0.1 "$@"; }
    sim_pid=$SIM_PID
    read -r -t 10 -u "${SIM[0]}" port || fail "tqr480-sim $* printed no port"
}
stop_sim() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    sim_pid=""
}
trap 'stop_sim; rm -rf "$work"' EXIT
start_sim --never-ack 1880
[ -c "$port" ] || fail "tqr480-sim printed '$port', not a terminal device"
dev() { "$ctl" --serial "$port" "${scale[@]}" "$@"; }

# Read: the preset holds what the simulator holds.
[ "$(dev read -o "$work/read")" = "$work/read.mxb" ] || fail "read did not print the file written"
diff <(registers "$work/start.mxb") <(registers "$work/read.mxb") >"$work/diff" ||
    fail "read differs from the simulator's registers: $(head -5 "$work/diff")"
"$ctl" preset show "$work/read.mxb" >"$work/read.txt"
grep -qx 'model 10011' "$work/read.txt" || fail "read: model"

# An existing preset is kept unless --force replaces it.
expect_exit_early() { local status=0; "$@" >/dev/null 2>"$work/err" || status=$?; echo "$status"; }
[ "$(expect_exit_early dev read -o "$work/read")" -eq 3 ] || fail "read over an existing file"
grep -q 'exists already' "$work/err" || fail "read over an existing file said: $(cat "$work/err")"
[ "$(dev read --force -o "$work/read")" = "$work/read.mxb" ] || fail "read --force"

# Set, then get through a new connection.
dev set 300=1234 0x12d=0x10 >/dev/null || fail "set"
[ "$(dev get 300 301)" = $'300 1234\n301 16' ] || fail "get after set: $(dev get 300 301)"
[ "$(dev get --json 300)" = '{"300":1234}' ] || fail "get --json"

# A register the processor never acknowledges is named; the others still go through.
status=0
dev set 1880=5 302=77 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "set of an unacknowledged register exited $status"
grep -q 'register 1880 was not acknowledged' "$work/err" || fail "set said: $(cat "$work/err")"
grep -q 'register 302' "$work/err" && fail "set named an acknowledged register"
[ "$(dev get 302)" = '302 77' ] || fail "the acknowledged register of a failed set"

# Upload: registers 0 and 230..1875 from the file reach the simulator.
seq 230 1875 | awk '{ print $1, ($1 * 11 + 5) % 30000 }' |
    "$ctl" preset make -o "$work/scene" >/dev/null
dev upload "$work/scene.mxb" || fail "upload"
dev read -o "$work/after" >/dev/null || fail "read after upload"
diff <(registers "$work/scene.mxb" | sed -n '231,1876p') <(registers "$work/after.mxb" | sed -n '231,1876p') \
    >"$work/diff" || fail "uploaded registers differ: $(head -5 "$work/diff")"

# Refusals and failures.
expect_exit() {  # CODE PATTERN COMMAND...
    local code="$1" pattern="$2" status=0
    shift 2
    "$@" >/dev/null 2>"$work/err" || status=$?
    [ "$status" -eq "$code" ] || fail "$* exited $status, expected $code: $(cat "$work/err")"
    grep -q -- "$pattern" "$work/err" || fail "$* said: $(cat "$work/err")"
}
"$ctl" preset make -o "$work/other" --model 4242 </dev/null >/dev/null
expect_exit 1 'the processor is model 10011, the file is for 4242' dev upload "$work/other.mxb"
expect_exit 3 'cannot be opened' dev upload "$work/absent.mxb"
expect_exit 3 'folder does not exist' dev read -o "$work/no/such/x"
expect_exit 2 'REG must be' dev get 1901
expect_exit 2 'VALUE must be' dev set 5=65536
expect_exit 1 'no processor answered' "$ctl" --serial "$work/absent-port" --timeout 1 info

# The tool judges outcomes by their kind, never by their wording: a copy of it whose data
# folder says Chinese behaves exactly as the original.
mkdir -p "$work/zh/FileData"
cp "$ctl" "$work/zh/tq370ctl"
printf '[tq370ctl]\nLanguage=0\n' >"$work/zh/FileData/Language.ini"
for args in "upload $work/other.mxb" "upload $work/absent.mxb" "set 1880=6" "recall 3"; do
    status_en=0 status_zh=0
    # shellcheck disable=SC2086
    dev $args >"$work/out_en" 2>"$work/err_en" || status_en=$?
    # shellcheck disable=SC2086
    "$work/zh/tq370ctl" --serial "$port" "${scale[@]}" $args >"$work/out_zh" 2>"$work/err_zh" ||
        status_zh=$?
    [ "$status_en" -eq "$status_zh" ] || fail "$args: exit $status_en in English, $status_zh in Chinese"
    diff "$work/err_en" "$work/err_zh" >/dev/null ||
        fail "$args: said '$(cat "$work/err_en")' in English, '$(cat "$work/err_zh")' in Chinese"
done

# A processor that leaves a register out of its replies: nothing invented is printed or saved.
stop_sim
start_sim --omit 1500
expect_exit 1 '1 register never arrived (1500)' dev get 1500
expect_exit 1 '1 register never arrived (1500)' dev read -o "$work/partial"
[ ! -e "$work/partial.mxb" ] || fail "read wrote a preset of an incomplete read-back"

# A link cut in the middle of an upload: nothing the upload writes is answered.
stop_sim
never=()
for r in $(seq 230 1875); do never+=(--never-ack "$r"); done
start_sim "${never[@]}"
expect_exit 1 'the link to the processor was lost before the job was done' dev upload "$work/scene.mxb"
echo "device commands passed"
