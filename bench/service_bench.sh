#!/usr/bin/env bash
# Load figure of the update service beside nginx serving the same document as
# a static file, in the same run, both on loopback.
#
#   bench/service_bench.sh [BUILD_DIR]     (default build/release)
#
# Needs wrk and nginx (apt-get install wrk nginx-light). Goal: within 2 x
# nginx's requests per second.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
service=$build/service/dvcd-update-service
[ -x "$service" ] || { echo "build first: cmake --build --preset release" >&2; exit 1; }
command -v wrk >/dev/null && command -v nginx >/dev/null ||
    { echo "needs wrk and nginx: apt-get install wrk nginx-light" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill $svc 2>/dev/null; nginx -p "$work" -c nginx.conf -s stop 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/docs" "$work/www/dvcd" "$work/logs"
cat > "$work/docs/ABC 2004.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<dvcd><quarantine><quarantined>program\virus.exe</quarantined></quarantine>
<message><caption>Viktigt</caption><text>En rad#13en till</text><severity>INFORMATION</severity></message></dvcd>
XML
cp "$work/docs/ABC 2004.xml" "$work/www/dvcd/autoupdate.xml"
cat > "$work/nginx.conf" <<CONF
worker_processes 1;
error_log $work/logs/error.log;
pid $work/nginx.pid;
events { worker_connections 1024; }
http {
  access_log $work/logs/access.log;
  server { listen 127.0.0.1:18481; root $work/www; location / { default_type text/xml; } }
}
CONF
nginx -p "$work" -c nginx.conf
"$service" "$work/docs" 18480 >"$work/logs/service.log" &
svc=$!
sleep 1

rate() { wrk -t2 -c32 -d10s "$1" | awk '/Requests\/sec/{print $2}'; }
ours=$(rate "http://127.0.0.1:18480/dvcd/autoupdate.asp?discid=ABC%202004")
theirs=$(rate "http://127.0.0.1:18481/dvcd/autoupdate.xml")
printf 'update service %10.0f req/s\nnginx static   %10.0f req/s\nratio nginx/ours %.2f (goal <= 2)\n' \
    "$ours" "$theirs" "$(echo "$theirs / $ours" | bc -l)"
