#!/usr/bin/env bash
# The mastered sample disc on both desktops. The image is mastered, its
# label read back by blkid, and it is extracted. Linux, with no Qt: the
# Linux program is started from it as an ordinary user, with the web
# engine's sandbox on, in a minimal Debian 12 root (debootstrap, cached); the
# window must appear with the start page and the track's title line, and the
# program must use no library from outside the disc but the C library's.
# Windows: disc_wine_test.sh, as the test user, with the label blkid read.
#   disc_image_test.sh DVCD_MASTER SAMPLE_DISC LINUX_RUNTIME ROOT_CACHE WINDOWS_PROGRAM UPDATE_SERVICE DIALOGTOOL
# Must run as root (it builds the root and enters it); the test user must
# be able to read the update service, dialogtool and these scripts
# (prepare_tester).
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
master=$1
sample=$2
runtime=$3
root_cache=$4
windows_program=$5
update_service=$6
dialogtool=$7
label="DV 12 2004"

[ "$(id -u)" -eq 0 ] || { echo "disc_image_test: must run as root" >&2; exit 1; }

work=$(mktemp -d /tmp/disc-image.XXXXXX)
chmod 0755 "$work"
# The program dies of the signal, so its status is not this test's: under
# set -e a failing last command in the trap would become the exit status.
cleanup() {
    if [ -n "${inside:-}" ] && kill "$inside" 2>/dev/null; then
        wait "$inside" 2>/dev/null || true
    fi
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

# The minimal Debian 12: made once, then kept. Its one package beyond the
# minimum is the keyboard layouts, which every desktop's X server needs.
if [ ! -d "$root_cache/usr/share/X11/xkb/rules" ]; then
    say "Making a minimal Debian 12 root in $root_cache"
    rm -rf "$root_cache.tmp"
    rm -rf "$root_cache"
    debootstrap --variant=minbase --include=xkb-data bookworm "$root_cache.tmp" http://deb.debian.org/debian >/dev/null
    mv "$root_cache.tmp" "$root_cache"
fi
chroot "$root_cache" id -u reader >/dev/null 2>&1 ||
    chroot "$root_cache" useradd --create-home --uid 4711 --shell /bin/sh reader
if find "$root_cache/usr" -name 'libQt6*' -o -name 'libgstreamer-1.0*' -o -name 'fonts.conf' | grep -q .; then
    fail "the minimal root has Qt, GStreamer or fonts"
fi

# Master and read the label back with a tool that did not write it.
say "Mastering the sample disc"
start=$(date +%s.%N)
"$master" "$sample" --label "$label" -o "$work/disc.iso" \
    --windows-program "$windows_program" --linux-runtime "$runtime"
echo "mastered in $(echo "$(date +%s.%N) - $start" | bc) s"
got=$(blkid -o value -s LABEL "$work/disc.iso")
[ "$got" = "$label" ] || fail "blkid reads the label '$got'"

say "Extracting the image"
xorriso -osirrox on -indev "$work/disc.iso" -extract / "$work/cdrom" >/dev/null 2>&1
[ -x "$work/cdrom/datavind" ] || fail "no executable start program at the image's root"
# The runtime is compressed on the disc; read back it is the same, byte for byte.
diff -r "$runtime/linux" "$work/cdrom/linux" >/dev/null || fail "the runtime read back from the image differs"

# The root the reader's program runs in: the minimal system, the extracted
# disc read-only, and the X server's socket.
start_xvfb 24
display_number=${DISPLAY#:}
say "Starting the disc's program as an ordinary user in the minimal root ($DISPLAY)"
cat >"$work/enter.sh" <<'ENTER'
#!/bin/sh
# In a mount namespace of its own: the new root becomes the real root
# (pivot_root, not chroot, so that the web engine's sandbox may make its
# user namespaces), then the program runs as the reader.
set -e
new=$1 cdrom=$2
mount --bind "$new" "$new"
mount --make-private "$new"
mkdir -p "$new/media/cdrom" "$new/tmp/.X11-unix"
mount --bind "$cdrom" "$new/media/cdrom"
mount -o remount,bind,ro "$new/media/cdrom"
mount -t proc proc "$new/proc"
mount --rbind /dev "$new/dev"
mount --rbind /sys "$new/sys"
mount --bind /tmp/.X11-unix "$new/tmp/.X11-unix"
cd "$new"
mkdir -p .old-root
pivot_root . .old-root
exec chroot . /bin/sh -c '
    umount -l /.old-root
    mkdir -p /tmp/runtime-reader && chown reader:reader /tmp/runtime-reader && chmod 0700 /tmp/runtime-reader
    cd /home/reader
    exec setpriv --reuid=reader --regid=reader --init-groups --no-new-privs \
        env -i HOME=/home/reader USER=reader LANG=C.UTF-8 PATH=/usr/bin:/bin \
        DISPLAY="$DISPLAY" XDG_RUNTIME_DIR=/tmp/runtime-reader DATAVIND_TIMING=1 \
        QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" \
        /media/cdrom/datavind'
ENTER
chmod +x "$work/enter.sh"
env -u QTWEBENGINE_DISABLE_SANDBOX unshare --mount --propagation private \
    "$work/enter.sh" "$root_cache" "$work/cdrom" >"$work/program.log" 2>&1 &
inside=$!

for _ in $(seq 600); do
    grep -q "datavind-timing loaded" "$work/program.log" && break
    kill -0 "$inside" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended"; }
    sleep 0.1
done
grep -q "datavind-timing loaded" "$work/program.log" || { cat "$work/program.log" >&2; fail "the start page never loaded"; }
find_main_window
sleep 3
read -r x y < <(window_position)
shot=${DISC_IMAGE_SHOT:-$work/shot.png}
import -window root "$shot"
echo "window at $x,$y; screenshot $shot"

# The start page's header band, left of its title text.
header=$(pixel_at $((x + 8 + 6)) $((y + 122 + 6)))
colour_near "$header" "23 58 110" 40 || fail "the start page does not show (header pixel $header)"
# The track's title line: white text in the player's row.
white=$(convert "$shot" -crop "352x13+$((x + 177))+$((y + 577))" -colorspace gray -threshold 85% \
    -format '%[fx:round(mean*w*h)]' info:)
[ "$white" -ge 150 ] || fail "the track's title line does not show ($white white pixels)"

# Every library the program has loaded comes from the disc, but the C library's.
program=$(pgrep -f -n '^/media/cdrom/linux/datavind' || true)
[ -n "$program" ] || fail "the program's process is not found"
outside=$(awk '$6 ~ /\.so/ { print $6 }' "/proc/$program/maps" | sort -u |
    grep -v '^/media/cdrom/linux/' | grep -v -E '/(libc|libm|libdl|libpthread|librt|libresolv|ld-linux-x86-64)[.-]|/gconv/' || true)
[ -z "$outside" ] || fail "libraries from outside the disc: $outside"
[ "$(stat -c %u "/proc/$program")" = 4711 ] || fail "the program does not run as the reader"
# The sandbox is on: the web engine's zygote and the renderers it forks live
# in user namespaces of their own.
sandboxed=0
for helper in $(pgrep -f '^/media/cdrom/linux/libexec/QtWebEngineProcess' || true); do
    [ "$(readlink "/proc/$helper/ns/user")" != "$(readlink "/proc/$program/ns/user")" ] &&
        sandboxed=$((sandboxed + 1))
done
[ "$sandboxed" -gt 0 ] || fail "no web engine process runs in a namespace sandbox"
echo "$sandboxed web engine processes in the sandbox"
grep -qi "sandbox" "$work/program.log" && grep -i "sandbox" "$work/program.log" >&2

# The Linux program ends here; it dies of the signal.
kill "$inside" 2>/dev/null || true
wait "$inside" 2>/dev/null || true
inside=""
stop_xvfb

# Wine reads a folder drive's label from its .windows-label: the label the
# image itself holds, as blkid read it.
say "Starting datavind.exe from the image as a CD drive under Wine, as $DATAVIND_TESTER"
printf '%s' "$got" >"$work/cdrom/.windows-label"
start=$(date +%s)
as_tester env -u DISPLAY "$(dirname "$0")/disc_wine_test.sh" "$work/cdrom" "$got" "$update_service" "$dialogtool"
echo "the Windows half took $(($(date +%s) - start)) s"
echo "2 passed, 0 failed"
