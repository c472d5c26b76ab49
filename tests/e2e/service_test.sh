#!/usr/bin/env bash
# The update service as editors run it: it answers over HTTP with the right
# content type, logs a line a request, and stops cleanly on SIGTERM.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
service=$1
docs=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$docs"' EXIT
printf '<?xml version="1.0" encoding="UTF-8"?>\n<dvcd><quarantine><quarantined>virus.exe</quarantined></quarantine></dvcd>\n' \
    > "$docs/ABC 2004.xml"
# Port 0: the service picks a free one and names it in its "serving" line.
"$service" "$docs" 0 > "$docs/log" 2>&1 &
pid=$!
wait_until 20 grep -q 'serving .* on http://127.0.0.1:' "$docs/log" || fail "the service did not start: $(cat "$docs/log")"
port=$(sed -n 's|.*serving .* on http://127\.0\.0\.1:\([0-9]*\).*|\1|p' "$docs/log" | head -n1)

# A plain HTTP request over bash's own socket.
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET /dvcd/autoupdate.asp?discid=ABC%%202004 HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
answer=$(cat <&3)
exec 3>&-
grep -q '^HTTP/1.1 200' <<<"$answer" || fail "no 200: $answer"
grep -qi '^Content-Type: text/xml; charset=UTF-8' <<<"$answer" || fail "content type: $answer"
grep -q 'virus.exe' <<<"$answer" || fail "not the disc's document"

kill -TERM "$pid"
wait_until 5 not_running "$pid" || fail "still running after SIGTERM"
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
grep -q '"GET /dvcd/autoupdate.asp?discid=ABC%202004" 200' "$docs/log" || fail "no access log line"
grep -q 'stopping on signal 15' "$docs/log" || fail "no clean stop"
echo "1 passed, 0 failed"
