#!/usr/bin/env bash
# tq370ctl refuses what it cannot honour, before it opens or sends anything: each case is
# its exit code, a pattern its one line on standard error must hold, and its arguments.
# Usage: refused_arguments.sh PATH_TO_TQ370CTL
set -uo pipefail
ctl="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"
failed=0
long_line="5 $(head -c 100000 /dev/zero | tr '\0' x)"
check() {  # CODE PATTERN ARGS... (standard input from $input)
    local code="$1" pattern="$2" status=0
    shift 2
    "$ctl" "$@" <"${input:-/dev/null}" >"$work/out" 2>"$work/err" || status=$?
    if [ "$status" -ne "$code" ] || ! grep -q -- "$pattern" "$work/err" ||
        [ "$(wc -l <"$work/err")" -ne 1 ]; then
        echo "FAIL: tq370ctl $* exited $status (want $code): $(head -c 300 "$work/err")" >&2
        failed=1
    fi
}
check 2 "unknown command 'bogus'" bogus
check 2 'unknown option --bogus' --bogus
check 2 "unknown command 'infoo'" --timeout 3 infoo
check 2 'entry number' text ''
check 2 'entry number' text -- -1
check 2 '--model' preset make -o "$work/m1" --model -1
check 2 '--model' preset make -o "$work/m2" --model 65536
check 2 'GAIN must lie between' response --peq 1000,7.6,1e308
check 2 'Q must lie between' response --peq 1000,300,1
check 2 'FREQ must lie between' response --peq 30000,7.6,1
check 2 'FREQ must lie between 19 and 20600' response --hp 8,5
check 2 '--timeout' --timeout nan info
check 2 '--timeout' --timeout 1e10 info
check 2 '--timeout' --timeout 0 info
check 2 '--time-scale' --time-scale inf info
check 2 "'-0': REG must be" --serial "$work/absent" get -- -0
check 2 "'1=-0': VALUE must be" --serial "$work/absent" set 1=-0
check 2 "'0x-0=1': REG must be" --serial "$work/absent" set 0x-0=1
check 2 'the address is empty' --wifi '' info
check 2 'is not an IPv4 address' --wifi notanip info
check 2 'is not an IPv4 address' --wifi 999.1.1.1 info
check 2 'is not an IPv4 address' --wifi 127.0.0.2 --own-address x info
check 2 'at most 87' wifi set-hot "$(head -c 300 /dev/zero | tr '\0' s)" 12345678
check 2 'printable ASCII' wifi set-hot Car 'pässwörd'
check 2 'printable ASCII' wifi set-route 'Café' secret
input=<(printf '%s\n' "$long_line") check 2 'got "5 xxx.*\.\.\."' preset make -o "$work/long"
[ "$(wc -c <"$work/err")" -lt 400 ] || { echo "FAIL: a long line is echoed whole" >&2; failed=1; }
# Output that cannot be written is a file error, not a success.
for args in "crc16 00" "response --peq 1000,7.6,6" "--help"; do
    status=0
    # shellcheck disable=SC2086
    "$ctl" $args >/dev/full 2>"$work/err" || status=$?
    [ "$status" -eq 3 ] || { echo "FAIL: tq370ctl $args into /dev/full exited $status" >&2; failed=1; }
done
# A read whose connect fails leaves no private folder behind.
"$ctl" --serial "$work/absent" --timeout 0.3 read -o "$work/never" >/dev/null 2>&1
[ -z "$(ls -A "$TMPDIR")" ] || { echo "FAIL: read left $(ls "$TMPDIR") behind" >&2; failed=1; }
[ ! -e "$work/never.mxb" ] || { echo "FAIL: a failed read wrote a preset" >&2; failed=1; }
# A path that exists is refused unless --force.
touch "$work/kept.mxb"
check 3 'exists already' --serial "$work/absent" --timeout 0.3 read -o "$work/kept"
[ "$failed" -eq 0 ] && echo "refused arguments passed"
exit "$failed"
