#!/usr/bin/env bash
# The Linux start program of a mastered disc, with a stand-in for the real
# program that writes down the environment it was given: the disc root with
# blanks, quotes and letters beyond ASCII in its path, the variables a
# reader's desktop may set for its own Qt kept from the disc's program (and
# saved for the programs it starts), a disc mounted noexec, a system whose
# C library is older than the runtime's (said in Swedish, in a window where
# the desktop has a tool for one), and the choice between the system's C++
# runtime and the disc's.
#   launcher_test.sh START_SCRIPT
set -euo pipefail
start_script=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
running=
cleanup() {
    [ -z "$running" ] || kill "$running" 2>/dev/null || true
    mountpoint -q "$work/noexec" 2>/dev/null && umount "$work/noexec"
    mountpoint -q "$work/small" 2>/dev/null && umount "$work/small"
    rm -rf "$work"
}
trap cleanup EXIT

lay_out() { # folder: a disc root with the start program and a stand-in runtime
    mkdir -p "$1/linux"
    cp "$start_script" "$1/datavind"
    printf '#!/bin/sh\nenv >"$DATAVIND_TEST_ENV"\n' >"$1/linux/datavind"
    chmod 0755 "$1/datavind" "$1/linux/datavind"
}

disc="$work/DV 12 '2004' \$HOME å"
lay_out "$disc"
env -i PATH="$PATH" HOME="$work" DATAVIND_TEST_ENV="$work/env" \
    QT_QPA_PLATFORM=wayland QT_PLUGIN_PATH=/usr/lib/x86_64-linux-gnu/qt6/plugins \
    QML2_IMPORT_PATH=/usr/lib/qml QTWEBENGINEPROCESS_PATH=/usr/lib/qt6/libexec/QtWebEngineProcess \
    FONTCONFIG_FILE=/etc/mine.conf \
    "$disc/datavind" || fail "the start program ended with status $?"
got() { grep "^$1=" "$work/env" | cut -d= -f2-; }
has() { grep -q "^$1=" "$work/env"; }

[ "$(got DATAVIND_DISC_ROOT)" = "$disc" ] || fail "the disc root is '$(got DATAVIND_DISC_ROOT)'"
[ "$(got FONTCONFIG_FILE)" = "$disc/linux/fonts/fonts.conf" ] || fail "fonts: $(got FONTCONFIG_FILE)"
[ "$(got DATAVIND_SAVED_FONTCONFIG_FILE)" = /etc/mine.conf ] || fail "the reader's font configuration was not kept"
# The disc brings Qt's X11 window system only, and its own plugins.
[ "$(got QT_QPA_PLATFORM)" = xcb ] || fail "QT_QPA_PLATFORM is '$(got QT_QPA_PLATFORM)'"
[ "$(got DATAVIND_SAVED_QT_QPA_PLATFORM)" = wayland ] || fail "the reader's window system was not kept"
for name in QT_PLUGIN_PATH QML2_IMPORT_PATH QTWEBENGINEPROCESS_PATH; do
    ! has "$name" || fail "the reader's $name reached the disc's program"
    has "DATAVIND_SAVED_$name" || fail "the reader's $name was not kept for the programs the disc starts"
done
for name in QT_QPA_PLATFORM QT_PLUGIN_PATH QML2_IMPORT_PATH QTWEBENGINEPROCESS_PATH FONTCONFIG_FILE; do
    grep -qw "$name" <<<"$(got DATAVIND_RUNTIME_VARIABLES)" || fail "$name is not listed to be given back"
done
! has DATAVIND_SAVED_QT_QPA_PLATFORM_PLUGIN_PATH || fail "a variable the reader never set was saved"

# On a display: the start window runs with the program's process id (the
# script's own, which the program takes over here), the program learns the
# window's, and the listed start files are read ahead, a missing one not
# stopping the start. A listed file is a FIFO here: its writer ends only
# when the script has read it.
with_window="$work/window disc"
lay_out "$with_window"
printf '#!/bin/sh\necho "pid=$$" >"$DATAVIND_TEST_ENV"\nenv >>"$DATAVIND_TEST_ENV"\n' >"$with_window/linux/datavind"
printf '#!/bin/sh\necho "$1 $$" >"$DATAVIND_TEST_WINDOW"\n' >"$with_window/linux/datavind-splash"
chmod 0755 "$with_window/linux/datavind-splash"
mkfifo "$with_window/linux/lib.fifo"
printf 'saknas.so\nlib.fifo\n' >"$with_window/linux/read-first"
printf 'datavind\n' >"$with_window/linux/read-next"
(echo data >"$with_window/linux/lib.fifo") &
writer=$!
env -i PATH="$PATH" HOME="$work" DISPLAY=:99 DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_WINDOW="$work/window" \
    "$with_window/datavind" || fail "the start program with a window ended with status $?"
for _ in $(seq 50); do [ -s "$work/window" ] && break; sleep 0.1; done
read -r window_arg window_pid <"$work/window" || fail "no start window was started"
[ "$window_arg" = "$(got pid)" ] || fail "the start window waits for $window_arg, the program is $(got pid)"
[ "$(got DATAVIND_SPLASH)" = "$window_pid" ] || fail "the program was told the window is '$(got DATAVIND_SPLASH)', not $window_pid"
kill -0 "$writer" 2>/dev/null && { kill "$writer"; fail "the start files were not read ahead"; }
wait "$writer" || fail "the FIFO's writer failed"
# Of a file the start reads only a little of, only the listed parts are
# read ahead, not the whole file.
spy="$work/spy"
mkdir -p "$spy" "$with_window/linux/lib"
for tool in cat dd; do
    printf '#!/bin/sh
echo "%s $*" >>"%s"
exec %s "$@"
' "$tool" "$work/spied" "$(command -v "$tool")" >"$spy/$tool"
    chmod 0755 "$spy/$tool"
done
head -c 16384 /dev/zero >"$with_window/linux/lib/part.so"
head -c 100 /dev/zero >"$with_window/linux/lib/whole.so"
printf 'datavind
lib/part.so
lib/whole.so
' >"$with_window/linux/read-next"
printf '4096 8192 lib/part.so
' >"$with_window/linux/read-parts"
: >"$with_window/linux/read-first"
env -i PATH="$spy:$PATH" HOME="$work" DISPLAY=:99 DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_WINDOW="$work/window" \
    "$with_window/datavind" || fail "the start program with parts to read ended with status $?"
grep -q '^dd .*if=lib/part.so .*skip=4096 count=8192' "$work/spied" || fail "the part was not read: $(cat "$work/spied")"
grep -q '^cat .*lib/whole.so' "$work/spied" || fail "the whole file was not read: $(cat "$work/spied")"
! grep -q '^cat .*lib/part.so' "$work/spied" || fail "the file read in parts was read whole too"
printf 'saknas.so\n' >"$with_window/linux/read-first"
rm -f "$with_window/linux/read-parts"

# Libraries packed with zstd (read-next names them NAME.zst) are unpacked
# for the start into a folder of the reader's runtime folder, which the
# program's library path names first and which is gone when the program
# has ended; the script waits for it and gives back its status. A folder
# an ended start left behind is removed, one of a running start kept.
packed="$work/packed disc"
lay_out "$packed"
printf '#!/bin/sh
echo "pid=$$" >"$DATAVIND_TEST_ENV"
echo "ppid=$PPID" >>"$DATAVIND_TEST_ENV"
env >>"$DATAVIND_TEST_ENV"
first=${LD_LIBRARY_PATH%%%%:*}
cat "$first/libett.so.1" "$first/libtva.so.2" >"$DATAVIND_TEST_ENV.libs" 2>/dev/null
[ -z "$DATAVIND_TEST_HOLD" ] || exec sleep 600
exit 3
' >"$packed/linux/datavind"
printf '#!/bin/sh
echo "$1 $$" >"$DATAVIND_TEST_WINDOW"
' >"$packed/linux/datavind-splash"
printf '#!/bin/sh
exec %s "$@"
' "$(command -v zstd)" >"$packed/linux/zstd"
chmod 0755 "$packed/linux/datavind-splash" "$packed/linux/zstd"
mkdir -p "$packed/linux/lib"
seq 1 5000 | zstd -q -o "$packed/linux/lib/libett.so.1.zst"
echo två | zstd -q -o "$packed/linux/lib/libtva.so.2.zst"
printf 'lib/libett.so.1.zst\nlib/libtva.so.2.zst\ndatavind\n' >"$packed/linux/read-next"
run="$work/run"
mkdir -p "$run"
sleep 600 &
running=$!
mkdir "$run/datavind-start-999999999.old" "$run/datavind-start-$running.now"
start_packed() { # NAME=VALUE...: starts the packed disc, its status in $status
    rm -f "$work/env" "$work/env.libs" "$work/window"
    status=0
    env -i PATH="$PATH" HOME="$work" DISPLAY=:99 DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_WINDOW="$work/window" \
        LD_LIBRARY_PATH=/opt/mine "$@" "$packed/datavind" 2>"$work/err" || status=$?
}
start_packed XDG_RUNTIME_DIR="$run"
[ "$status" -eq 3 ] || fail "the program's status 3 came back as $status: $(cat "$work/err")"
unpacked=$(got LD_LIBRARY_PATH)
unpacked=${unpacked%%:*}
[ "$(dirname "$unpacked")" = "$run" ] || fail "the libraries were unpacked into '$unpacked', not $run"
[ "$(got LD_LIBRARY_PATH)" = "$unpacked:/opt/mine" ] || fail "library path '$(got LD_LIBRARY_PATH)'"
[ "$(got DATAVIND_SAVED_LD_LIBRARY_PATH)" = /opt/mine ] || fail "the reader's LD_LIBRARY_PATH was not kept"
{ seq 1 5000; echo två; } | cmp -s - "$work/env.libs" || fail "the unpacked libraries differ: $(head -c 200 "$work/env.libs")"
[ ! -e "$unpacked" ] || fail "the unpacked libraries were left in $unpacked"
[ ! -e "$run/datavind-start-999999999.old" ] || fail "an ended start's folder was left"
[ -d "$run/datavind-start-$running.now" ] || fail "a running start's folder was removed"
kill "$running"
running=
for _ in $(seq 50); do [ -s "$work/window" ] && break; sleep 0.1; done
read -r window_arg _ <"$work/window" || fail "no start window was started"
[ "$window_arg" = "$(got ppid)" ] || fail "the start window waits for $window_arg, the script is $(got ppid)"
# Asked to end (as a desktop ends its session), the script ends the program
# and removes the folder.
env -i PATH="$PATH" HOME="$work" DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_HOLD=1 \
    XDG_RUNTIME_DIR="$run" "$packed/datavind" 2>"$work/err" &
script=$!
rm -f "$work/env.libs"
for _ in $(seq 100); do [ -e "$work/env.libs" ] && break; sleep 0.1; done
[ -e "$work/env.libs" ] || fail "the held program did not start: $(cat "$work/err")"
program=$(got pid)
kill -TERM "$script"
for _ in $(seq 100); do kill -0 "$script" 2>/dev/null || break; sleep 0.1; done
kill -0 "$script" 2>/dev/null && { kill "$program" 2>/dev/null; fail "the script did not end when asked to"; }
kill -0 "$program" 2>/dev/null && { kill "$program"; fail "the program ran on after the script was asked to end"; }
[ -z "$(ls "$run")" ] || fail "left behind after an end asked for: $(ls "$run")"
# With no runtime folder of the reader's, another place in memory or /tmp.
start_packed TMPDIR="$work/tmp"
[ "$status" -eq 3 ] || fail "status $status without XDG_RUNTIME_DIR: $(cat "$work/err")"
unpacked=$(got LD_LIBRARY_PATH)
case "$(dirname "${unpacked%%:*}")" in /dev/shm | "$work/tmp") ;; *) fail "unpacked into '$unpacked'" ;; esac
# A place with less room than the libraries need is passed over unwritten
# (linux/unpacked-size says how much they need).
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/small"
    mount -t tmpfs -o size=1m tmpfs "$work/small"
    echo 10485760 >"$packed/linux/unpacked-size"
    start_packed XDG_RUNTIME_DIR="$work/small" TMPDIR="$work/tmp"
    [ "$status" -eq 3 ] || fail "status $status with a small runtime folder: $(cat "$work/err")"
    [ -z "$(ls -A "$work/small")" ] || fail "the small runtime folder was written to: $(ls -A "$work/small")"
    case "$(got LD_LIBRARY_PATH)" in "$work/small"/*) fail "unpacked into the small folder" ;; esac
    umount "$work/small"
    rm "$packed/linux/unpacked-size"
else
    echo "launcher: the case of a small runtime folder needs root to mount; left out"
fi
# Libraries that cannot be unpacked: no start, a word in Swedish, nothing left.
echo trasig >"$packed/linux/lib/libtva.so.2.zst"
start_packed XDG_RUNTIME_DIR="$run" TMPDIR="$work/tmp"
[ "$status" -eq 1 ] && [ ! -e "$work/env" ] || fail "started with a broken library (status $status)"
grep -q "Datavinds cd kan inte starta" "$work/err" || fail "no word on the broken library: $(cat "$work/err")"
[ -z "$(ls "$run")" ] || fail "left behind: $(ls "$run")"

# Without a display there is no window to show.
rm -f "$work/window" "$with_window/linux/lib.fifo"
env -i PATH="$PATH" HOME="$work" DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_WINDOW="$work/window" \
    "$with_window/datavind" 2>/dev/null || true
[ ! -e "$work/window" ] || fail "a start window was started without a display"
! has DATAVIND_SPLASH || fail "the program was told of a window without a display"

# A disc mounted noexec: the start program, run by sh, says what to do.
mounted=""
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/noexec"
    mount -t tmpfs -o noexec,mode=0755 tmpfs "$work/noexec" && mounted=yes
fi
if [ -n "$mounted" ]; then
    lay_out "$work/noexec/disc"
    status=0
    sh "$work/noexec/disc/datavind" 2>"$work/err" || status=$?
    [ "$status" -ne 0 ] || fail "the start program ended well on a noexec disc"
    grep -q "noexec" "$work/err" && grep -q "udisksctl mount" "$work/err" ||
        fail "no advice for a noexec disc: $(cat "$work/err")"
else
    echo "launcher: the noexec case needs root to mount; left out"
fi
# A system of our own making: the tools the start program uses, and the
# stand-ins for the ones that say which C library and C++ runtime it has
# and that show windows.
bin="$work/bin"
mkdir -p "$bin"
for tool in sh sed grep uname dirname id mkdir head sort tail cat env findmnt; do
    ln -s "$(command -v "$tool")" "$bin/$tool"
done
stand_in() { # name body
    printf '#!/bin/sh\n%s\n' "$2" >"$bin/$1"
    chmod 0755 "$bin/$1"
}
# The loader's cache lists the system's libstdc++, a file with the versions
# it offers.
stand_in ldconfig 'printf "\tlibstdc++.so.6 (libc6,x86-64) => %s\n" "$DATAVIND_TEST_CXX"'
printf 'GLIBCXX_3.4.8\0GLIBCXX_3.4.29\0GLIBCXX_3.4.9\0' >"$work/old-libstdc++"
printf 'GLIBCXX_3.4.29\0GLIBCXX_3.4.33\0CXXABI_1.3.15\0' >"$work/new-libstdc++"
echo GLIBC_2.36 >"$disc/linux/GLIBC"
echo GLIBCXX_3.4.30 >"$disc/linux/GLIBCXX"
run_on() { # glibc-version libstdc++ [NAME=VALUE...]: runs the start program on such a system
    local glibc=$1 cxx=$2
    shift 2
    stand_in getconf "[ \"\$1\" = GNU_LIBC_VERSION ] && echo 'glibc $glibc'"
    rm -f "$work/env"
    env -i PATH="$bin" HOME="$work" DATAVIND_TEST_ENV="$work/env" DATAVIND_TEST_CXX="$cxx" "$@" \
        "$disc/datavind" 2>"$work/err"
}

# The C++ runtime: the system's when it is as new as the disc's or newer.
run_on 2.41 "$work/new-libstdc++" || fail "the start program ended with status $? on a new system"
! has LD_LIBRARY_PATH || fail "a newer system's C++ runtime was replaced by the disc's: $(got LD_LIBRARY_PATH)"
run_on 2.36 "$work/old-libstdc++" LD_LIBRARY_PATH=/opt/mine || fail "status $? with an older C++ runtime"
[ "$(got LD_LIBRARY_PATH)" = "$disc/linux/lib/cxx:/opt/mine" ] ||
    fail "an older system's C++ runtime was used: LD_LIBRARY_PATH '$(got LD_LIBRARY_PATH)'"
[ "$(got DATAVIND_SAVED_LD_LIBRARY_PATH)" = /opt/mine ] || fail "the reader's LD_LIBRARY_PATH was not kept"
run_on 2.36 "$work/no-such-libstdc++" || fail "status $? with no C++ runtime"
[ "$(got LD_LIBRARY_PATH)" = "$disc/linux/lib/cxx" ] || fail "with no C++ runtime: '$(got LD_LIBRARY_PATH)'"

# An older C library: nothing starts, and the reader is told why in Swedish,
# on the terminal, and in a window of the first tool the desktop has.
glibc_said() {
    grep -q -x "glibc 2.36 eller nyare, men datorn har glibc 2.31\." "$1" ||
        fail "no Swedish word on the C library in $1: $(cat "$1")"
}
status=0
run_on 2.31 "$work/new-libstdc++" || status=$?
[ "$status" -ne 0 ] || fail "the start program ended well on an older C library"
[ ! -e "$work/env" ] || fail "the runtime was started on an older C library"
glibc_said "$work/err"
record='printf "%s\n" "$0" "$@" >"$DATAVIND_TEST_WINDOW"'
for tool in xmessage kdialog zenity; do
    stand_in "$tool" "$record"
    rm -f "$work/window"
    run_on 2.31 "$work/new-libstdc++" DISPLAY=:99 DATAVIND_TEST_WINDOW="$work/window" || true
    [ "$(head -n 1 "$work/window" 2>/dev/null)" = "$bin/$tool" ] || fail "no window from $tool"
    glibc_said "$work/window"
    glibc_said "$work/err"
done
rm -f "$work/window"
run_on 2.31 "$work/new-libstdc++" DISPLAY=:99 XDG_CURRENT_DESKTOP=KDE DATAVIND_TEST_WINDOW="$work/window" || true
[ "$(head -n 1 "$work/window")" = "$bin/kdialog" ] || fail "KDE's own tool was not chosen"
rm -f "$work/window"
run_on 2.31 "$work/new-libstdc++" DATAVIND_TEST_WINDOW="$work/window" || true
[ ! -e "$work/window" ] || fail "a window was tried with no display"
# A system with another C library says so too.
rm "$bin/getconf"
env -i PATH="$bin" HOME="$work" "$disc/datavind" 2>"$work/err" && fail "started with no glibc"
grep -q -x "glibc 2.36 eller nyare, men datorn har inget glibc\." "$work/err" || fail "no word on a missing glibc: $(cat "$work/err")"
echo "launcher: all checks passed"
