#!/usr/bin/env bash
# The mastered sample disc on both desktops. The image is mastered, its
# label read back by blkid, and it is extracted. Linux, with no Qt:
# disc_linux_test.sh, the program in minimal Debian 11, 12 and 13 roots
# (debootstrap, kept in ROOTS). Windows: disc_wine_test.sh, as the test
# user, with the label blkid read.
#   disc_image_test.sh DVCD_MASTER SAMPLE_DISC LINUX_RUNTIME ROOTS WINDOWS_PROGRAM UPDATE_SERVICE DIALOGTOOL
# Must run as root (it builds the root and enters it); the test user must
# be able to read the update service, dialogtool and these scripts
# (prepare_tester).
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
master=$1
sample=$2
runtime=$3
roots=$4
windows_program=$5
update_service=$6
dialogtool=$7
label="DV 12 2004"

[ "$(id -u)" -eq 0 ] || { echo "disc_image_test: must run as root" >&2; exit 1; }

work=$(mktemp -d /tmp/disc-image.XXXXXX)
chmod 0755 "$work"
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

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

# Linux: readers' desktops, stood for by minimal Debian roots.
"$(dirname "$0")/disc_linux_test.sh" "$roots" "$work/cdrom"

# Wine reads a folder drive's label from its .windows-label: the label the
# image itself holds, as blkid read it.
say "Starting datavind.exe from the image as a CD drive under Wine, as $DATAVIND_TESTER"
printf '%s' "$got" >"$work/cdrom/.windows-label"
start=$(date +%s)
as_tester env -u DISPLAY "$(dirname "$0")/disc_wine_test.sh" "$work/cdrom" "$got" "$update_service" "$dialogtool"
echo "the Windows half took $(($(date +%s) - start)) s"
echo "2 passed, 0 failed"
