#!/usr/bin/env bash
# dvcd-master on the sample disc: refuses a failing disc, masters with
# --force loudly, reads the label back with tools that did not write it, and
# checks the image's layout, modes, autorun files and reproducibility.
# The Windows program and the Linux runtime are stand-ins here: this test is
# about the image, not the programs in it (disc_image_test.sh runs those).
#   master_layout_test.sh DVCD_MASTER SAMPLE_DISC
set -euo pipefail
master=$1
sample=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
# The extracted image is read-only, as a pressed disc is.
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$sample" "$work/disc"
printf 'MZ stand-in for the Windows program' >"$work/datavind.exe"
mkdir -p "$work/runtime/linux/lib"
printf '#!/bin/sh\nexec "$(dirname "$0")/linux/datavind"\n' >"$work/runtime/datavind"
printf '\177ELF stand-in' >"$work/runtime/linux/datavind"
chmod 0755 "$work/runtime/datavind" "$work/runtime/linux/datavind"
printf 'library' >"$work/runtime/linux/lib/libx.so.1"
# Libraries that compress well, the order the program reads them in at
# start, and a Windows program that would compress as well as they do.
for n in 1 2 3; do seq 1 200000 >"$work/runtime/linux/lib/libbig$n.so"; done
# Packed by the runtime's own zstd already: zisofs must leave it as it is
# (its text would shrink, as the others' does).
seq 1 200000 >"$work/runtime/linux/lib/libpacked.so.zst"
printf 'lib/libbig3.so\n' >"$work/runtime/linux/read-first"
printf 'lib/libbig1.so\n../../etc/passwd\ndatavind\n' >"$work/runtime/linux/read-next"
{ printf 'MZ stand-in for the Windows program'; seq 1 200000; } >"$work/datavind.exe"
# A program without its executable bit and a document with one, as a copy
# from a FAT stick leaves them.
chmod 0644 "$work/disc/program/installera.sh"
chmod 0755 "$work/disc/tillagg/kallkod.txt"
# The program a build lays at the sample disc's root is replaced.
printf '\177ELF old program' >"$work/disc/datavind"

run_master() { # disc image label [more options]
    local disc=$1 image=$2 label=$3
    shift 3
    SOURCE_DATE_EPOCH=1101859200 "$master" "$disc" --label "$label" -o "$image" \
        --windows-program "$work/datavind.exe" --linux-runtime "$work/runtime" "$@"
}

# Usage errors: a label the update service or Windows cannot take, inputs missing.
for label in "" "EN ETIKETT SOM AR FOR LANG" "DV/12" " DV" "DVÅ"; do
    status=0
    run_master "$work/disc" "$work/bad.iso" "$label" 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || fail "label '$label' gave status $status"
    [ ! -e "$work/bad.iso" ] || fail "label '$label' wrote an image"
done
status=0
SOURCE_DATE_EPOCH=1 "$master" "$work/disc" --label DV -o "$work/bad.iso" \
    --windows-program "$work/saknas.exe" --linux-runtime "$work/runtime" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q "no Windows program" "$work/err" || fail "a missing Windows program was not refused"

# A disc that fails its check is refused, and written only with --force, loudly.
cp -r "$work/disc" "$work/broken"
rm "$work/broken/docs/omdv/index.htm"
status=0
run_master "$work/broken" "$work/broken.iso" DV 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a failing disc gave status $status"
[ ! -e "$work/broken.iso" ] || fail "a failing disc was mastered"
grep -q "docs/omdv/index.htm: error:" "$work/err" || fail "the refusal does not say why"
run_master "$work/broken" "$work/broken.iso" DV --force 2>"$work/err" >/dev/null
grep -q "WARNING: THE DISC FAILS ITS CHECK AND IS MASTERED ANYWAY" "$work/err" || fail "--force was not loud"
[ -s "$work/broken.iso" ] || fail "--force wrote no image"

# A folder it cannot read ends the mastering with a reason, --force or not,
# and writes no image. As root, without the capabilities that read anything.
cp -r "$work/disc" "$work/closed"
mkdir -p "$work/closed/docs/noje/privat/inre"
chmod 0 "$work/closed/docs/noje/privat"
as_owner=()
[ "$(id -u)" -ne 0 ] || as_owner=(setpriv --bounding-set -dac_override,-dac_read_search)
status=0
"${as_owner[@]}" env SOURCE_DATE_EPOCH=1101859200 "$master" "$work/closed" --label DV -o "$work/closed.iso" \
    --windows-program "$work/datavind.exe" --linux-runtime "$work/runtime" --force 2>"$work/err" >/dev/null || status=$?
chmod 0755 "$work/closed/docs/noje/privat"
[ "$status" -eq 1 ] || fail "a folder it cannot read gave status $status: $(tail -n3 "$work/err")"
grep -q "docs/noje/privat: error: the folder cannot be read" "$work/err" || fail "the check did not name the folder"
grep -q "dvcd-master: cannot read .*docs/noje/privat" "$work/err" || fail "the refusal does not say why"
[ ! -e "$work/closed.iso" ] || fail "a disc it cannot read was mastered"

# The sample disc.
run_master "$work/disc" "$work/a.iso" "DV 12 2004" >"$work/out" 2>"$work/err"
grep -q "a.iso: [0-9]* bytes, label \"DV 12 2004\"" "$work/out" || fail "no summary: $(cat "$work/out")"
[ "$(blkid -o value -s LABEL "$work/a.iso")" = "DV 12 2004" ] || fail "blkid reads another label"
isoinfo -d -i "$work/a.iso" | grep -q "^Volume id: DV 12 2004$" || fail "isoinfo reads another volume id"
isoinfo -d -i "$work/a.iso" | grep -q "Joliet" || fail "no Joliet names"
isoinfo -d -i "$work/a.iso" | grep -q "Rock Ridge" || fail "no Rock Ridge"

listing=$(isoinfo -R -l -i "$work/a.iso")
mode_of() { # directory name: the Rock Ridge mode of that entry
    awk -v dir="Directory listing of $1" -v name="$2" '
        /^Directory listing of / { here = ($0 == dir || $0 == dir " ") ; next }
        here && $NF == name { print $1; exit }' <<<"$listing"
}
expect_mode() { [ "$(mode_of "$1" "$2")" = "$3" ] || fail "$1$2 is $(mode_of "$1" "$2"), not $3"; }
expect_mode / datavind -r-xr-xr-x
expect_mode / .autorun -r-xr-xr-x
expect_mode / datavind.exe -r--r--r--
expect_mode / autorun.inf -r--r--r--
expect_mode /linux/ datavind -r-xr-xr-x
expect_mode /program/ installera.sh -r-xr-xr-x
expect_mode /tillagg/ kallkod.txt -r--r--r--
expect_mode /docs/ettan/ index.htm -r--r--r--
expect_mode /Webblasare/ie6sv/ ROMCONF.CAB -r--r--r--
grep -q "^-.* 0 *0 .*" <<<"$listing" || fail "owners are not root"

# Extracted by a tool that reads Rock Ridge, the root holds what it should.
xorriso -osirrox on -indev "$work/a.iso" -extract / "$work/x" >/dev/null 2>&1
cmp -s "$work/x/datavind" "$work/runtime/datavind" || fail "the start program at the root is not the runtime's"
cmp -s "$work/x/datavind.exe" "$work/datavind.exe" || fail "datavind.exe is not the Windows program"
cmp -s "$work/x/linux/datavind" "$work/runtime/linux/datavind" || fail "the Linux program is not in linux/"
diff -r "$work/disc/docs" "$work/x/docs" >/dev/null || fail "the pages differ"
printf '[autorun]\r\nopen=datavind.exe\r\nicon=datavind.exe,0\r\nlabel=DV 12 2004\r\n' | cmp -s - "$work/x/autorun.inf" ||
    fail "autorun.inf: $(cat -A "$work/x/autorun.inf")"
head -n1 "$work/x/.autorun" | grep -q '^#!/bin/sh' || fail ".autorun is no script"

# The runtime alone is compressed (zisofs), and reads back byte for byte
# through both tools that read images without the kernel.
streams=$(xorriso -indev "$work/a.iso" -find / -type f -exec show_stream -- 2>/dev/null)
# (xorriso leaves a file of a few bytes plain: it would not shrink.)
for n in 1 2 3; do
    grep -q -- "^'/linux/lib/libbig$n.so' < --zisofs-decode" <<<"$streams" || fail "libbig$n.so is not compressed"
    # In blocks of 128 KiB: larger ones Linux's iso9660 driver cannot read.
    grep -q -- "^'/linux/lib/libbig$n.so' < --zisofs-decode:pz:128k " <<<"$streams" ||
        fail "libbig$n.so is not in blocks of 128 KiB: $(grep "libbig$n.so" <<<"$streams")"
done
grep -- '--zisofs-decode' <<<"$streams" | grep -v "^'/linux/" && fail "a file outside linux/ is compressed"
grep -q -- "^'/linux/lib/libpacked.so.zst' < --zisofs-decode" <<<"$streams" && fail "a file packed with zstd is compressed again"
grep -q -- "^'/linux/lib/libpacked.so.zst'" <<<"$streams" || fail "the packed file is not on the disc"
diff -r "$work/runtime/linux" "$work/x/linux" || fail "the runtime extracted by xorriso differs"
mkdir -p "$work/fuse"
fuseiso "$work/a.iso" "$work/fuse" || fail "fuseiso cannot mount the image"
status=0
diff -r "$work/runtime/linux" "$work/fuse/linux" >"$work/err" 2>&1 || status=$?
cmp -s "$work/fuse/datavind.exe" "$work/datavind.exe" || status=1
fusermount -u "$work/fuse" 2>/dev/null || umount "$work/fuse"
[ "$status" -eq 0 ] || fail "the image read through fuseiso differs: $(head -n3 "$work/err")"
# The start program, then the runtime's start files in their order, lie
# first on the disc; a name outside the runtime in the lists is left out.
lba_of() {
    xorriso -indev "$work/a.iso" -find "$1" -exec report_lba -- 2>/dev/null |
        awk -F, '/^File data lba:/ {gsub(/ /, "", $2); print $2}'
}
previous=0
for file in /datavind /linux/lib/libbig3.so /linux/lib/libbig1.so /linux/datavind /docs/ettan/index.htm; do
    lba=$(lba_of "$file")
    [ -n "$lba" ] && [ "$lba" -gt "$previous" ] || fail "$file lies at $lba, before the file read ahead of it ($previous)"
    previous=$lba
done
[ "$(lba_of /linux/lib/libbig2.so)" -gt "$(lba_of /linux/datavind)" ] || fail "a file not read at start lies among those that are"
grep -q "room left on a CD 80 for more of the disc's own content: [0-9.]* MB" "$work/out" ||
    fail "no room left said: $(cat "$work/out")"
run_master "$work/disc" "$work/plain.iso" "DV 12 2004" --plain-runtime >/dev/null 2>&1
xorriso -indev "$work/plain.iso" -find / -type f -exec show_stream -- 2>/dev/null | grep -q -- '--zisofs-decode' &&
    fail "--plain-runtime compressed the runtime"
[ "$(stat -c %s "$work/plain.iso")" -gt "$(stat -c %s "$work/a.iso")" ] || fail "the plain image is no larger"

# An image larger than the blank is refused before it is written; the
# medium is named as the editors buy it.
cp -r "$work/disc" "$work/full"
truncate -s 690000000 "$work/full/tillagg/film.ogv"
status=0
run_master "$work/full" "$work/full.iso" DV --medium cd74 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "an image larger than a CD 74 gave status $status"
grep -q "more than a CD 74 holds (681984000 bytes); no image written" "$work/err" || fail "the refusal: $(cat "$work/err")"
[ ! -e "$work/full.iso" ] || fail "an image larger than the medium was written"
status=0
run_master "$work/disc" "$work/bad.iso" DV --medium cd90 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q "medium takes cd74, cd80 or dvd" "$work/err" || fail "--medium cd90 gave status $status"

# Names beyond ASCII reach Windows readers as they are, also when dvcd-master
# runs in the C locale (cron, a service, a bare container), where xorriso
# would take the names for ASCII and write "_" for each byte of a letter.
cp -r "$work/disc" "$work/letters"
name=$(printf 'r\303\244ksm\303\266rg\303\245s.txt')
printf 'text' >"$work/letters/tillagg/$name"
env -u LANG -u LANGUAGE LC_ALL=C SOURCE_DATE_EPOCH=1101859200 "$master" "$work/letters" --label DV -o "$work/c.iso" \
    --windows-program "$work/datavind.exe" --linux-runtime "$work/runtime" >/dev/null 2>&1 || fail "no image in the C locale"
joliet=$(isoinfo -J -f -i "$work/c.iso" | grep -a '^/tillagg/r' || true)
[ "$joliet" = "/tillagg/$(printf 'r\344ksm\366rg\345s.txt')" ] || fail "the Joliet name is $(cat -v <<<"$joliet")"
isoinfo -R -f -i "$work/c.iso" | grep -qx "/tillagg/$name" || fail "the Rock Ridge name differs"

# The same inputs and date give the same image, also once the clock has
# moved on to another second.
started=$(date +%s)
while [ "$(date +%s)" = "$started" ]; do sleep 0.1; done
run_master "$work/disc" "$work/b.iso" "DV 12 2004" >/dev/null 2>&1
cmp -s "$work/a.iso" "$work/b.iso" || fail "two masterings of the same disc differ"
echo "master layout: all checks passed"
