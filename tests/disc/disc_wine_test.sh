#!/usr/bin/env bash
# The mastered disc on Windows, under Wine: the extracted image is mapped in
# a fresh prefix as a CD drive with the image's label, and the program that
# autorun.inf names is started from that drive, for a reader who agreed to
# update checks at start. An update service on loopback serves a document
# for the label; its access log must show the label arrive as the disc id,
# percent-encoded in the address and decoded by the service to the label's
# own document, and the program must carry that document out (its
# quarantine box, answered here) and still run afterwards with no box open.
#   disc_wine_test.sh CDROM LABEL UPDATE_SERVICE DIALOGTOOL
# CDROM/.windows-label must hold LABEL: Wine reads a folder drive's label
# from it. Runs as an ordinary user, in a Wine prefix and on an Xvfb of its own.
set -euo pipefail
cdrom=$1 label=$2 service=$3 DIALOGTOOL=$4
source "$(dirname "$0")/../../scripts/common.sh"

work=$(mktemp -d /tmp/disc-wine.XXXXXX)
SHOTDIR=${DISC_WINE_SHOTDIR:-$work}
name=disc_wine
cleanup() {
    if declare -F stop_windows_program >/dev/null; then stop_windows_program; fi
    if [ -n "${service_pid:-}" ] && kill "$service_pid" 2>/dev/null; then
        wait "$service_pid" 2>/dev/null || true
    fi
    stop_xvfb
    remove_wine_prefix
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb 24
make_wine_prefix
source "$DATAVIND_TOP/tests/win32/e2e/lib.sh"

[ "$(cat "$cdrom/.windows-label")" = "$label" ] || fail "the drive's label file does not hold '$label'"

# The label's own document: a quarantine and no message. Its one box, the
# quarantine's, shows that the program read it; the test answers it.
mkdir "$work/docs"
cat >"$work/docs/$label.xml" <<'DOC'
<?xml version="1.0" encoding="UTF-8"?>
<dvcd>
  <quarantine>
    <quarantined>program\virus.exe</quarantined>
  </quarantine>
</dvcd>
DOC
document_bytes=$(stat -c %s "$work/docs/$label.xml")

"$service" "$work/docs" 0 127.0.0.1 >"$work/service.log" 2>&1 &
service_pid=$!
service_address() { sed -n 's/^.*serving .* on \(http:\/\/127\.0\.0\.1:[0-9]*\) .*/\1/p' "$work/service.log"; }
serving_or_ended() { [ -n "$(service_address)" ] || not_running "$service_pid"; }
wait_until 10 serving_or_ended || true
address=$(service_address)
[ -n "$address" ] || { cat "$work/service.log" >&2; fail "the update service did not start"; }

# The first letter Wine has not given a drive yet, as a reader's CD drive.
drive=""
for letter in d e f g h i j k l m n o p q r s t u v w x y; do
    [ -e "$WINEPREFIX/dosdevices/$letter:" ] || { drive=$letter; break; }
done
[ -n "$drive" ] || fail "no free drive letter in the Wine prefix"
map_wine_cd_drive "$drive" "$cdrom"
program=$(tr -d '\r' <"$cdrom/autorun.inf" | sed -n 's/^open=//p')
[ -n "$program" ] || fail "autorun.inf names no program"
drive_upper=$(tr a-z A-Z <<<"$drive")
echo "disc '$label' on drive $drive_upper:, autorun opens $program, update service at $address"

agree_to_update_checks
# A proxy of the caller's must not stand between the program and loopback.
export DATAVIND_UPDATE_URL=$address
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
E2E_LOG=$work/program.log start_windows_executable "${drive_upper}:\\$program"

# The boxes the program may show: the one for a browser this Wine cannot
# make, and the quarantine's. Each is answered; any other box fails.
quarantine_box=false
for _ in $(seq 120); do
    boxes=$(dialogtool list --process datavind.exe || true)
    if [ -n "$boxes" ]; then
        while IFS= read -r box; do
            case "$box" in
            *$'\tDatavinds cd\tKunde inte skapa IE\t1=OK') ;;
            *$'\tDatavinds cd - Karantän\tDenna skiva innehåller '*$'\t1=OK') quarantine_box=true ;;
            *) shot "${name}_box"; fail "unexpected box: $box" ;;
            esac
        done <<<"$boxes"
        dialogtool press 1 --process datavind.exe >/dev/null
        continue
    fi
    $quarantine_box && break
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before it showed the quarantine"
    sleep 0.25
done

# The service writes its access log within a second.
wait_until 3 grep -q '"GET /dvcd/autoupdate.asp?' "$work/service.log" || true
request=$(grep -m1 '"GET /dvcd/autoupdate.asp?' "$work/service.log" || true)
[ -n "$request" ] || { shot "${name}_no_request"; cat "$work/service.log" >&2; fail "no update request reached the service"; }
echo "service: $request"

# 2004-12-01T10:00:00Z 127.0.0.1 "GET /dvcd/autoupdate.asp?discid=..." 200 123
line='^[^ ]+ ([^ ]+) "GET (.*)" ([0-9]+) ([0-9]+)$'
[[ $request =~ $line ]] || fail "an access log line of another form: $request"
client=${BASH_REMATCH[1]} target=${BASH_REMATCH[2]} status=${BASH_REMATCH[3]} bytes=${BASH_REMATCH[4]}
[ "$client" = 127.0.0.1 ] || fail "the request came from $client"
sent=${target#/dvcd/autoupdate.asp?discid=}
[ "$sent" != "$target" ] || fail "the request holds no disc id: $target"
# The address carries the label encoded, with no blank left in it ...
[[ "$sent" != *" "* ]] || fail "the disc id goes unencoded: '$sent'"
decoded=$(printf '%b' "${sent//%/\\x}")
[ "$decoded" = "$label" ] || fail "the disc id '$sent' decodes to '$decoded', not the label '$label'"
# ... and the service decodes it to the label's own document.
[ "$status $bytes" = "200 $document_bytes" ] ||
    fail "the service answered $status with $bytes bytes, not the label's document ($document_bytes bytes)"
$quarantine_box || { shot "${name}_no_quarantine"; fail "the label's document was not carried out: no quarantine box"; }

# The program must still run after carrying the document out, with no
# box waiting.
sleep 2
shot "$name"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after the update answer (see $work/program.log)"
if box=$(dialogtool list --process datavind.exe); then
    fail "a box waits for a person: $box"
fi
client_area
echo "disc id '$decoded' arrived as '$sent'; the program runs on at $X,$Y"
echo "1 passed, 0 failed"
