#!/usr/bin/env bash
# The mastered disc's Linux program on readers' desktops, stood for by
# minimal Debian roots with no Qt, GStreamer or fonts, each holding the
# extracted image read-only where a reader has it; the program runs as an
# ordinary user with the web engine's sandbox on.
# - Debian 12 without an OpenGL driver, the disc copied into the reader's
#   Swedish downloads folder: the window with the start page and the track's
#   title line, no library from outside the disc but the C library's and a
#   C++ runtime as new as the disc's, the web engine in its sandbox.
# - Debian 13 with Mesa, as every desktop has, the web engine on its GPU
#   path, the disc at /media/reader/DV 12 2004 as a desktop mounts it: the
#   same window, the system's newer C++ runtime in use, and a document link
#   written without apostrophes hands the whole path to the desktop.
# - Debian 11, whose C library is older than the runtime's: nothing starts,
#   and the reader is told why in Swedish, in xmessage's window and on the
#   terminal.
#   disc_linux_test.sh ROOTS CDROM
# ROOTS is the folder the roots are kept in between runs. Needs root.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/minimal_root.sh"
roots=$1
cdrom=$2

work=$(mktemp -d /tmp/disc-linux.XXXXXX)
chmod 0755 "$work"
shots=${DISC_IMAGE_SHOTDIR:-$work}
mkdir -p "$shots"
cleanup() {
    stop_in_root
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT


# started POINT LOG NAME: the program from POINT shows its window with the
# start page and the track's title line, runs as the reader, and its web
# engine runs in the sandbox. Sets PROGRAM (its process) and X, Y.
started() {
    local point=$1 log=$2 name=$3 header white sandboxed helper
    running() { kill -0 "$INSIDE" 2>/dev/null || { cat "$log" >&2; fail "$name: the program ended"; }; }
    loaded() { running && grep -q "datavind-timing loaded" "$log"; }
    wait_until 90 loaded || { cat "$log" >&2; fail "$name: the start page never loaded"; }
    # The start window (xcb and the disc's libraries only) showed first.
    grep -q "datavind-timing splash" "$log" || { cat "$log" >&2; fail "$name: the start window never showed"; }
    find_main_window
    read -r X Y < <(window_position)
    # The start page's header band, left of its title text.
    header_shows() { colour_near "$(pixel_at $((X + 8 + 6)) $((Y + 122 + 6)))" "23 58 110" 40; }
    wait_until 10 header_shows || fail "$name: the start page does not show"
    # The track's title line: white text in the player's row.
    title_shows() {
        import -window root "$shots/$name.png"
        white=$(convert "$shots/$name.png" -crop "352x13+$((X + 177))+$((Y + 577))" -colorspace gray \
            -threshold 85% -format '%[fx:round(mean*w*h)]' info:)
        [ "$white" -ge 150 ]
    }
    wait_until 10 title_shows || fail "$name: the track's title line does not show ($white white pixels)"
    echo "$name: window at $X,$Y; screenshot $shots/$name.png"

    PROGRAM=$(pgrep -f -n "^$point/linux/datavind" || true)
    [ -n "$PROGRAM" ] || fail "$name: the program's process is not found"
    [ "$(stat -c %u "/proc/$PROGRAM")" = 4711 ] || fail "$name: the program does not run as the reader"
    # The zygote and the renderers it forks live in user namespaces of their own.
    sandboxed=0
    for helper in $(pgrep -f "^$point/linux/libexec/QtWebEngineProcess" || true); do
        [ "$(readlink "/proc/$helper/ns/user")" != "$(readlink "/proc/$PROGRAM/ns/user")" ] &&
            sandboxed=$((sandboxed + 1))
    done
    [ "$sandboxed" -gt 0 ] || fail "$name: no web engine process runs in a namespace sandbox"
    echo "$name: $sandboxed web engine processes in the sandbox"
}

# The shared objects a process has mapped, one a line.
libraries_of() { awk '$6 ~ /\.so/ { print $6 }' "/proc/$1/maps" | sort -u; }
# Of those, the ones that are not the disc's: neither in its runtime folder
# nor unpacked by its start script from the runtime's packed NAME.zst into
# a folder of that start. $1: the disc's mount point in the root.
not_the_discs() {
    local file
    while read -r file; do
        case "$file" in
        "$1/linux/"*) ;;
        */datavind-start-[0-9]*.*/*)
            [ -f "$cdrom/linux/lib/${file##*/}.zst" ] || echo "$file" ;;
        *) echo "$file" ;;
        esac
    done
}
c_library='/(libc|libm|libdl|libpthread|librt|libresolv|ld-linux-x86-64)[.-]|/gconv/'

start_xvfb 24
display=DISPLAY=$DISPLAY

# Debian 12, no OpenGL driver: the keyboard layouts are its one package
# beyond the minimum, which every desktop's X server needs.
root12="$roots/bookworm"
minimal_root "$root12" bookworm "$DEBIAN12_PACKAGES"
if find "$root12/usr" -name 'libQt6*' -o -name 'libgstreamer-1.0*' -o -name 'fonts.conf' | grep -q .; then
    fail "the minimal root has Qt, GStreamer or fonts"
fi
point="/home/reader/Hämtade filer/DV 12 2004"
say "Debian 12: the disc's program from $point, as the reader ($DISPLAY)"
run_in_root "$root12" "$cdrom" "$point" "$work/debian12.log" "$display" DATAVIND_TIMING=1 \
    QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
started "$point" "$work/debian12.log" debian12
# Debian 12's libstdc++ is as new as the disc's: the system's serves.
outside=$(libraries_of "$PROGRAM" | not_the_discs "$point" | grep -v -E "$c_library" |
    grep -v -E '/lib(stdc\+\+|gcc_s)\.so' || true)
[ -z "$outside" ] || fail "debian12: libraries from outside the disc: $outside"
stop_in_root

# Debian 13 with Mesa: the OpenGL driver needs a C++ runtime newer than the
# disc's. A stand-in for the desktop's opener writes down what it is given.
root13="$roots/trixie"
minimal_root "$root13" trixie "$DEBIAN13_PACKAGES"
mkdir -p "$root13/usr/local/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >/tmp/xdg-open.log\n' >"$root13/usr/local/bin/xdg-open"
chmod 0755 "$root13/usr/local/bin/xdg-open"
rm -f "$root13/tmp/xdg-open.log"
point="/media/reader/DV 12 2004"
say "Debian 13 with Mesa: the disc's program from $point, as the reader"
run_in_root "$root13" "$cdrom" "$point" "$work/debian13.log" "$display" DATAVIND_TIMING=1
started "$point" "$work/debian13.log" debian13
libraries_of "$PROGRAM" | grep -q -E '^/usr/lib/x86_64-linux-gnu/libstdc\+\+\.so' ||
    fail "debian13: the system's C++ runtime is not in use: $(libraries_of "$PROGRAM" | grep stdc || true)"
! libraries_of "$PROGRAM" | grep -q "^$point/linux/lib/cxx/" || fail "debian13: the disc's C++ runtime was loaded"
libraries_of "$PROGRAM" | grep -q -E '/libGLX_mesa\.so' || fail "debian13: Mesa's OpenGL driver is not in use"

# The first start asks about update checks; Esc closes the question unanswered.
consent=$(timeout 30 xdotool search --sync --onlyvisible --name '^Automatisk uppdatering$' | head -n1) ||
    fail "debian13: the update question did not appear"
main_window=$WINDOW
eval "$(xdotool getwindowgeometry --shell "$consent")" # sets WINDOW too
WINDOW=$main_window
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$shots/debian13-consent.png"
echo "debian13: the update question, ${WIDTH}x$HEIGHT: $shots/debian13-consent.png"
# Qt may give the dialog a new native window once it is shown: look again
# each time.
closed() {
    local w
    w=$(xdotool search --onlyvisible --name '^Automatisk uppdatering$' 2>/dev/null | head -n1)
    [ -z "$w" ] && return 0
    xdotool windowfocus "$w" key Escape 2>/dev/null || true
    return 1
}
wait_until 10 closed || fail "debian13: Esc did not close the update question"

# Tillägg, then its second link, "<thisdir>\tillagg\kallkod.txt".
read -r X Y < <(window_position)
tillagg_shows() { colour_near "$(pixel_at $((X + 8 + 6)) $((Y + 122 + 6)))" "122 31 26" 40; }
for _ in 1 2 3 4 5; do
    xdotool mousemove $((X + 300)) $((Y + 45)) sleep 0.2 mousemove $((X + 308)) $((Y + 50)) click 1
    wait_until 3 tillagg_shows && break
    echo "debian13: clicked Tillägg at $((X + 308)),$((Y + 50)), no page yet"
done
tillagg_shows || {
    import -window root "$shots/debian13-failed.png"
    fail "debian13: the Tillägg page does not show ($shots/debian13-failed.png)"
}
import -window root "$shots/debian13-tillagg.png"
# The lines of link-blue text in the page, top to bottom, as "x y" midpoints;
# a few pixels of other text near that blue are no line.
mapfile -t links < <(convert "$shots/debian13-tillagg.png" -crop "784x432+$((X + 8))+$((Y + 122))" +repage \
    -fuzz 12% -fill red -opaque "#1d5fb0" txt:- |
    awk -F'[,: ]+' '/#FF0000/ { print $1, $2 }' | sort -k2,2n -k1,1n |
    awk 'function line() { if (n >= 60) print int(sx / n), int(sy / n); sx = sy = n = 0 }
         NR > 1 && $2 > last + 4 { line() }
         { sx += $1; sy += $2; n++; last = $2 } END { line() }')
[ "${#links[@]}" -eq 3 ] || fail "debian13: ${#links[@]} lines of links on the Tillägg page, not 3"
read -r lx ly <<<"${links[1]}"
xdotool mousemove $((X + 8 + lx)) $((Y + 122 + ly)) click 1
opened() { [ -s "$root13/tmp/xdg-open.log" ]; }
wait_until 15 opened || fail "debian13: the document link reached no desktop opener"
got=$(sed 's/%20/ /g' "$root13/tmp/xdg-open.log")
[ "$got" = "file://$point/tillagg/kallkod.txt" ] || fail "debian13: the desktop was asked to open '$got'"
echo "debian13: the document link opened $got"
stop_in_root

# Debian 11: its C library (2.31) is older than the runtime's. xmessage is
# the one window tool it has.
root11="$roots/bullseye"
minimal_root "$root11" bullseye "$DEBIAN11_PACKAGES"
point="/media/reader/DV 12 2004"
said_in_swedish() { grep -q -x "glibc [0-9.]* eller nyare, men datorn har glibc 2\.31\." "$1"; }
say "Debian 11: the disc's program from $point, as the reader"
run_in_root "$root11" "$cdrom" "$point" "$work/debian11.log" "$display"
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Datavinds cd$' | head -n1) ||
    { cat "$work/debian11.log" >&2; fail "debian11: no window says why nothing starts"; }
eval "$(xdotool getwindowgeometry --shell "$box")"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$shots/debian11-glibc.png"
echo "debian11: the window: $shots/debian11-glibc.png"
# No window manager gives it the focus; the X server does.
xdotool windowfocus "$box" key Return
status=0
wait "$INSIDE" || status=$?
INSIDE=""
[ "$status" -eq 1 ] || fail "debian11: the start program ended with status $status"
said_in_swedish "$work/debian11.log" || { cat "$work/debian11.log" >&2; fail "debian11: the terminal was not told"; }
! grep -q "GLIBC_2\.[0-9]* not found" "$work/debian11.log" || fail "debian11: the runtime was started"
# With no display, the terminal alone.
run_in_root "$root11" "$cdrom" "$point" "$work/debian11-terminal.log"
status=0
wait "$INSIDE" || status=$?
INSIDE=""
[ "$status" -eq 1 ] || fail "debian11: without a display the start program ended with status $status"
said_in_swedish "$work/debian11-terminal.log" || fail "debian11: the terminal alone was not told"
echo "debian11: $(head -n 1 "$work/debian11-terminal.log")"
echo "linux: 3 passed, 0 failed"
