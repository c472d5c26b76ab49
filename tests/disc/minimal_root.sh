# Minimal Debian roots that stand for readers' desktops, and the disc's
# program run in them as an ordinary user. Sourced, not run; needs root.

# minimal_root FOLDER SUITE PACKAGES: a minimal Debian SUITE with PACKAGES
# (comma-separated) in FOLDER, made once with debootstrap and kept; made
# again only when it was made with other packages. Holds the user reader.
minimal_root() {
    local dir=$1 suite=$2 packages=$3
    mkdir -p "$(dirname "$dir")"
    (
        # Two runs at once make a root once.
        flock 9
        if [ "$(cat "$dir/.datavind-root" 2>/dev/null)" != "$suite $packages" ]; then
            say "Making a minimal Debian $suite root in $dir"
            rm -rf "$dir.tmp" "$dir"
            debootstrap --variant=minbase --include="$packages" "$suite" "$dir.tmp" \
                http://deb.debian.org/debian >/dev/null
            echo "$suite $packages" >"$dir.tmp/.datavind-root"
            mv "$dir.tmp" "$dir"
        fi
        chroot "$dir" id -u reader >/dev/null 2>&1 ||
            chroot "$dir" useradd --create-home --uid 4711 --shell /bin/sh reader
    ) 9>"$dir.lock"
}

# The readers' systems the disc test runs in, each with what it needs beyond
# the minimum: Debian 12 the keyboard layouts every desktop's X server
# needs; Debian 13 Mesa, as every desktop has; Debian 11 (too old a glibc)
# a way to see the message window.
DEBIAN12_PACKAGES=xkb-data
DEBIAN13_PACKAGES=xkb-data,libgl1,libglx-mesa0,libgl1-mesa-dri,libegl1,libegl-mesa0
DEBIAN11_PACKAGES=xkb-data,x11-utils

# make_minimal_roots FOLDER: the three at once; debootstrap waits on the
# network more than on the processor.
make_minimal_roots() {
    minimal_root "$1/bookworm" bookworm "$DEBIAN12_PACKAGES" &
    minimal_root "$1/trixie" trixie "$DEBIAN13_PACKAGES" &
    minimal_root "$1/bullseye" bullseye "$DEBIAN11_PACKAGES" &
    wait
}

# run_in_root ROOT CDROM MOUNT_POINT LOG [NAME=VALUE...]: starts the disc's
# program in the background as the reader, in a mount namespace of its own
# where ROOT is the real root (pivot_root, not chroot, so that the web
# engine's sandbox may make its user namespaces) and the extracted disc
# CDROM lies read-only at MOUNT_POINT, as a desktop mounts it. The reader's
# home starts empty; /usr/local/bin comes first on PATH. Sets INSIDE.
run_in_root() {
    local root=$1 cdrom=$2 point=$3 log=$4 enter
    shift 4
    enter=$(mktemp /tmp/enter-root.XXXXXX)
    ENTER_SCRIPTS="${ENTER_SCRIPTS:-} $enter"
    cat >"$enter" <<'ENTER'
#!/bin/sh
set -e
new=$1 cdrom=$2 point=$3
shift 3
rm -rf "$new/home/reader" "$new/tmp/runtime-reader"
mkdir -p "$new/home/reader" "$new/tmp/runtime-reader" "$new$point" "$new/tmp/.X11-unix"
chown 4711:4711 "$new/home/reader" "$new/tmp/runtime-reader"
chmod 0700 "$new/tmp/runtime-reader"
case $point in /home/reader/*) chown 4711:4711 "$(dirname "$new$point")" ;; esac
mount --bind "$new" "$new"
mount --make-private "$new"
mount --bind "$cdrom" "$new$point"
mount -o remount,bind,ro "$new$point"
mount -t proc proc "$new/proc"
mount --rbind /dev "$new/dev"
mount --rbind /sys "$new/sys"
mount --bind /tmp/.X11-unix "$new/tmp/.X11-unix"
cd "$new"
mkdir -p .old-root
pivot_root . .old-root
exec chroot . /bin/sh -c '
    umount -l /.old-root
    cd /home/reader
    point=$1
    shift
    exec setpriv --reuid=reader --regid=reader --init-groups --no-new-privs \
        env -i HOME=/home/reader USER=reader LANG=C.UTF-8 PATH=/usr/local/bin:/usr/bin:/bin \
        XDG_RUNTIME_DIR=/tmp/runtime-reader "$@" "$point/datavind"' sh "$point" "$@"
ENTER
    chmod 0755 "$enter"
    env -u QTWEBENGINE_DISABLE_SANDBOX unshare --mount --propagation private \
        "$enter" "$root" "$cdrom" "$point" "$@" >"$log" 2>&1 &
    INSIDE=$!
}

# stop_in_root: ends the program run_in_root started; it dies of the signal.
stop_in_root() {
    if [ -n "${INSIDE:-}" ] && kill "$INSIDE" 2>/dev/null; then
        wait "$INSIDE" 2>/dev/null || true
    fi
    INSIDE=""
    # shellcheck disable=SC2086 # names made by mktemp, without blanks
    [ -z "${ENTER_SCRIPTS:-}" ] || rm -f $ENTER_SCRIPTS
    ENTER_SCRIPTS=""
}
