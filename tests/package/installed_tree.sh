#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR, then the installed tree checked the way a
# Debian user's system would see it. Usage: installed_tree.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"

for program in tq370 tq370ctl tqr480-sim; do
    [ -x "$usr/bin/$program" ] || fail "$program is not installed"
    version=$(QT_QPA_PLATFORM=offscreen "$usr/bin/$program" --version) || fail "$program --version"
    [[ $version == "$program "[0-9]* ]] || fail "$program --version said '$version'"
    man -l "$usr/share/man/man1/$program.1.gz" 2>&1 | grep -q "$program" ||
        fail "the man page of $program"
done
for entry in tq370.desktop tq370-demo.desktop; do
    desktop-file-validate "$usr/share/applications/$entry" || fail "$entry does not validate"
done
grep -qx 'Exec=tq370 --demo' "$usr/share/applications/tq370-demo.desktop" || fail "the demo entry"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.tq370.TQ370.metainfo.xml" >/dev/null ||
    fail "the metainfo does not validate"
for size in 16 22 24 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/tq370.png"
    [ -f "$icon" ] || fail "no $size px icon"
    file "$icon" | grep -q "$size x $size" || fail "$icon is not $size px"
done
[ -f "$root/usr/lib/udev/rules.d/70-tq370.rules" ] || fail "the udev rule"
[ -f "$usr/share/bash-completion/completions/tq370ctl" ] || fail "the bash completion"
# The completion offers the commands the installed program knows.
words=$(PATH="$usr/bin:$PATH" bash -c "source '$usr/share/bash-completion/completions/tq370ctl'
    COMP_WORDS=(tq370ctl pre); COMP_CWORD=1; _tq370ctl; echo \"\${COMPREPLY[*]}\"")
[ "$words" = "preset" ] || fail "the completion of 'pre' gave '$words'"

# An installed copy keeps its presets under $XDG_DATA_HOME, nothing beside the program.
export XDG_DATA_HOME="$work/data"
coproc SIM { exec "$usr/bin/tqr480-sim" --pty --time-scale 0.1; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r -t 10 -u "${SIM[0]}" port || fail "the installed tqr480-sim printed no port"
out=$("$usr/bin/tq370ctl" --serial "$port" --time-scale 0.1 --timeout 20 read -o live) ||
    fail "read by the installed tq370ctl"
[ "$out" = "$XDG_DATA_HOME/tq370ctl/live.mxb" ] || fail "the installed copy saved to '$out'"
[ ! -e "$usr/bin/FileData" ] || fail "the installed copy wrote beside itself"
echo "installed tree passed"
