#!/usr/bin/env bash
# Round-trips presets through "tq370ctl preset make" and "tq370ctl preset show".
# Usage: preset_roundtrip.sh PATH_TO_TQ370CTL
set -euo pipefail
ctl="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Defaults alone, then the same with three edits: only the edited registers may differ.
"$ctl" preset make -o "$work/plain" </dev/null >/dev/null
printf '5 123\n# a comment\n\n  1900   65535  \n0 0\n' |
    "$ctl" preset make -o "$work/edited" --model 4242 >"$work/made.txt"
[ "$(cat "$work/made.txt")" = "$work/edited.mxb" ] || fail "make did not print the path written"

"$ctl" preset show "$work/plain" >"$work/plain.txt"
"$ctl" preset show "$work/edited.mxb" >"$work/edited.txt"
[ "$(wc -l <"$work/edited.txt")" -eq $((5 + 1901)) ] || fail "expected 5 header lines and 1901 registers"
grep -qx 'model 4242' "$work/edited.txt" || fail "model"
grep -qx 'registers 1901' "$work/edited.txt" || fail "register count"
grep -qx 'header 512' "$work/edited.txt" || fail "header size"
grep -qx 'password 0' "$work/edited.txt" || fail "password flag"
grep -qE '^saved [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$' "$work/edited.txt" || fail "saved"
changed="$(diff <(tail -n 1901 "$work/plain.txt") <(tail -n 1901 "$work/edited.txt") | grep '^>' || true)"
expected=$'> 0 0\n> 5 123\n> 1900 65535'
[ "$changed" = "$expected" ] || fail "changed registers: $changed"

# JSON carries the same registers in order.
"$ctl" preset show --json "$work/edited" >"$work/edited.json"
registers="$(tail -n 1901 "$work/edited.txt" | cut -d' ' -f2 | paste -sd, -)"
grep -q "^{\"model\":4242,\"registers\":\[$registers\],\"header\":512,\"password\":0,\"saved\":\"" \
    "$work/edited.json" || fail "json: $(head -c 200 "$work/edited.json")"

# --from copies registers and model, then applies the edits.
echo '7 7' | "$ctl" preset make -o "$work/copy" --from "$work/edited" >/dev/null
"$ctl" preset show "$work/copy" >"$work/copy.txt"
grep -qx 'model 4242' "$work/copy.txt" || fail "--from model"
changed="$(diff <(tail -n 1901 "$work/edited.txt") <(tail -n 1901 "$work/copy.txt") | grep '^>' || true)"
[ "$changed" = '> 7 7' ] || fail "--from registers: $changed"

# Failures: exit codes and messages.
expect_exit() {  # CODE PATTERN COMMAND... (stdin from the caller)
    local code="$1" pattern="$2" status=0
    shift 2
    "$@" >/dev/null 2>"$work/err" || status=$?
    [ "$status" -eq "$code" ] || fail "$* exited $status, expected $code"
    grep -q -- "$pattern" "$work/err" || fail "$* said: $(cat "$work/err")"
}
printf '1 2\n3 x\n' | expect_exit 2 'line 2' "$ctl" preset make -o "$work/bad"
echo '1901 1' | expect_exit 2 'line 1' "$ctl" preset make -o "$work/bad"
[ ! -e "$work/bad.mxb" ] || fail "a bad input line must write nothing"
expect_exit 3 'already exists' "$ctl" preset make -o "$work/plain" </dev/null
expect_exit 3 'cannot be created' "$ctl" preset make -o "$work/no/such/folder" </dev/null
expect_exit 3 'opened for reading' "$ctl" preset show "$work/absent"
expect_exit 3 'opened for reading' "$ctl" preset make -o "$work/x" --from "$work/absent" </dev/null
head -c 4000 "$work/plain.mxb" >"$work/cut.mxb"
expect_exit 3 'checksum' "$ctl" preset show "$work/cut"
echo "preset round trip passed"
