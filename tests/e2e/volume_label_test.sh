#!/usr/bin/env bash
# The disc's label as an ordinary user gets it, from an ext4 image labelled
# "ABC 2004" loop-mounted as root: the user may not read the device, so the
# label must come from udev's properties of it or its /dev/disk/by-label
# name. It is mounted where a desktop would, under its label, for a user
# whose name holds a letter beyond ASCII. Where udevd runs, its own work is used; where it does not (a
# container), udev's database entry and by-label name are written here as
# udevd writes them and removed afterwards, and libblkid is checked as root.
# Needs root to mount; skipped (77) otherwise.
set -euo pipefail
probe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "needs root to loop-mount an image"; exit 77; }

work=$(mktemp -d)
mnt="$work/media/läsare/ABC 2004"
made=()
cleanup() {
    local f
    for f in "${made[@]}"; do rm -rf "$f"; done
    mountpoint -q "$mnt" && umount "$mnt"
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$mnt"
truncate -s 8M "$work/skiva.img"
mkfs.ext4 -q -F -L "ABC 2004" "$work/skiva.img" >/dev/null 2>&1
mount -o loop "$work/skiva.img" "$mnt" 2>/dev/null || { echo "this machine cannot loop-mount"; exit 77; }
mkdir "$mnt/disc"
chmod 755 "$mnt" "$mnt/disc" "$work/media" "$work/media/läsare"
cp "$probe" "$work/disc_label"
chmod 755 "$work/disc_label"
device=$(findmnt -n -o SOURCE "$mnt")
numbers=$(mountpoint -d "$mnt")
disc="$mnt/disc/"

as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
check() { # what, expected, actual
    [ "$3" = "$2" ] || fail "$1: got '$3', expected '$2'"
    echo "ok: $1"
}
as_user test -r "$device" && fail "the ordinary user can read $device; the test proves nothing"

if [ -S /run/udev/control ]; then
    udevadm settle 2>/dev/null || true
    check "ordinary user, udevd's properties" "ABC 2004" "$(as_user "$work/disc_label" "$disc")"
    echo "1 passed, 0 failed (udevd runs here)"
    exit 0
fi

check "root, libblkid on the device" "ABC 2004" "$("$work/disc_label" "$disc")"
check "ordinary user, nothing but the device" "ERROR" "$(as_user "$work/disc_label" "$disc")"

# The name udev gives a labelled device.
[ -d /dev/disk/by-label ] || { mkdir -p /dev/disk/by-label; made+=(/dev/disk); }
link="/dev/disk/by-label/ABC\\x202004"
[ -e "$link" ] && fail "$link exists already"
ln -s "../../$(basename "$device")" "$link"
made+=("$link")
check "ordinary user, /dev/disk/by-label" "ABC 2004" "$(as_user "$work/disc_label" "$disc")"
rm "$link"

# udev's database entry for the device, as udevd writes it.
entry="/run/udev/data/b$numbers"
[ -d /run/udev ] || made+=(/run/udev)
mkdir -p /run/udev/data
[ -e "$entry" ] && fail "$entry exists already"
made+=("$entry")
printf 'E:ID_FS_TYPE=ext4\nE:ID_FS_LABEL=ABC_2004\nE:ID_FS_LABEL_ENC=ABC\\x202004\n' > "$entry"
check "ordinary user, udev's properties" "ABC 2004" "$(as_user "$work/disc_label" "$disc")"
printf 'E:ID_FS_TYPE=ext4\n' > "$entry"
check "ordinary user, udev knows no label" "" "$(as_user "$work/disc_label" "$disc")"
echo "5 passed, 0 failed (udevd does not run here: its work written by the test)"
