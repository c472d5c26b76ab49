#!/usr/bin/env bash
# Load figures of the update service beside nginx serving the same document
# as a static file, in one run, both on loopback:
#   1. 1 000 keep-alive connections: requests per second and the 99th
#      percentile latency of each;
#   2. the same with 200 slow clients held open alongside (each sending a
#      header line every two seconds, opened again when cut).
# Goals: the service's throughput at least 0.8 x nginx's and its p99 at most
# 2 x nginx's; with slow clients, at least 0.5 x nginx's unloaded throughput.
#
#   bench/service_bench.sh [BUILD_DIR]     (default build/release)
#
# Needs wrk and nginx (apt-get install wrk nginx-light). Bounded: eight
# wrk runs of BENCH_SECONDS (default 10) after one-second warm-ups, about
# two minutes in all.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
seconds=${BENCH_SECONDS:-10}
connections=1000
slow=200
service=$build/service/dvcd-update-service
slowclients=$build/bench/slow_clients
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$service" ] && [ -x "$slowclients" ] ||
    { echo "build first: cmake --build --preset release --target dvcd-update-service slow_clients" >&2; exit 1; }
command -v wrk >/dev/null && [ -x "$nginx" ] ||
    { echo "needs wrk and nginx: apt-get install wrk nginx-light" >&2; exit 1; }
# 1 000 connections and 200 slow ones, on both ends of each.
ulimit -n 16384 2>/dev/null || ulimit -n "$(ulimit -Hn)"

work=$(mktemp -d)
chmod 755 "$work"
svc="" slowpid=""
cleanup() {
    [ -n "$slowpid" ] && kill "$slowpid" 2>/dev/null
    [ -n "$svc" ] && kill "$svc" 2>/dev/null
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/docs" "$work/www/dvcd" "$work/logs"
cat > "$work/docs/ABC 2004.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<dvcd><quarantine><quarantined>program\virus.exe</quarantined></quarantine>
<message><caption>Viktigt</caption><text>En rad#13en till</text><severity>INFORMATION</severity></message></dvcd>
XML
cp "$work/docs/ABC 2004.xml" "$work/www/dvcd/autoupdate.xml"

free_port() {
    local p
    for p in $(seq "$1" $(( $1 + 100 ))); do
        (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }
    done
    return 1
}
nginx_port=$(free_port 18481)
cat > "$work/nginx.conf" <<CONF
# As Debian ships it (a worker a processor), tuned for the same load: no
# limit on requests a connection, access log buffered as the service's is.
worker_processes auto;
worker_rlimit_nofile 16384;
pid $work/nginx.pid;
$( [ "$(id -u)" -eq 0 ] && echo "user root;" )
error_log $work/logs/error.log;
events { worker_connections 4096; }
http {
  access_log $work/logs/access.log combined buffer=64k flush=1s;
  keepalive_requests 1000000;
  keepalive_timeout 15s;
  client_header_timeout 10s;
  client_body_temp_path $work/body; proxy_temp_path $work/proxy;
  fastcgi_temp_path $work/fastcgi; uwsgi_temp_path $work/uwsgi; scgi_temp_path $work/scgi;
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/www;
    location / { default_type text/xml; etag on; }
  }
}
CONF
"$nginx" -e "$work/logs/error.log" -p "$work" -c "$work/nginx.conf"
"$service" --max-connections=4096 "$work/docs" 0 >"$work/logs/service.log" &
svc=$!
for _ in $(seq 100); do grep -q '^serving' "$work/logs/service.log" && break; sleep 0.1; done
service_port=$(sed -n 's/^serving .* on http:\/\/127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/logs/service.log")
[ -n "$service_port" ] || { cat "$work/logs/service.log"; exit 1; }

ours="http://127.0.0.1:$service_port/dvcd/autoupdate.asp?discid=ABC%202004"
theirs="http://127.0.0.1:$nginx_port/dvcd/autoupdate.xml"
curl -sf "$ours" | cmp -s - "$work/docs/ABC 2004.xml" || { echo "the service does not serve the document" >&2; exit 1; }
curl -sf "$theirs" | cmp -s - "$work/docs/ABC 2004.xml" || { echo "nginx does not serve the document" >&2; exit 1; }

# "requests/s p99_ms" of one wrk run.
measure() {
    wrk -t2 -c2 -d1s "$1" >/dev/null # warm-up
    wrk -t2 -c"$connections" -d"${seconds}s" --timeout 5s --latency "$1" | awk '
        function ms(v) { if (v ~ /us$/) return v / 1000; if (v ~ /ms$/) return v + 0; if (v ~ /s$/) return v * 1000; return v }
        /Requests\/sec/ { rps = $2 }
        /^ +99%/ { p99 = ms($2) }
        /Socket errors/ { errors = $0 }
        END { printf "%.0f %.2f\n", rps, p99; if (errors) print errors > "/dev/stderr" }'
}
with_slow() { # $1 port, $2 url
    "$slowclients" "$1" "$slow" $(( seconds + 4 )) >"$work/logs/slow.log" &
    slowpid=$!
    sleep 2
    measure "$2"
    wait "$slowpid" || true
    slowpid=""
}

# The two servers take turns, BENCH_ROUNDS times (default 2); each keeps
# its best figures, so a moment when other work had the processors counts
# against neither.
best() { # $1 "rps p99" so far (or empty), $2 new "rps p99": the higher rps, the lower p99
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, x); split(b, y);
        if (a == "") { print b; exit }
        printf "%s %s\n", (y[1] > x[1] ? y[1] : x[1]), (y[2] < x[2] ? y[2] : x[2]) }'
}
n="" o="" ns="" os=""
for _ in $(seq "${BENCH_ROUNDS:-2}"); do
    n=$(best "$n" "$(measure "$theirs")")
    o=$(best "$o" "$(measure "$ours")")
    ns=$(best "$ns" "$(with_slow "$nginx_port" "$theirs")")
    os=$(best "$os" "$(with_slow "$service_port" "$ours")")
done
read -r nginx_rps nginx_p99 <<<"$n"
read -r our_rps our_p99 <<<"$o"
read -r nginx_slow_rps nginx_slow_p99 <<<"$ns"
read -r our_slow_rps our_slow_p99 <<<"$os"

ratio() { echo "scale=2; $1 / $2" | bc -l; }
verdict() { [ "$(echo "$1" | bc -l)" -eq 1 ] && echo "met" || echo "NOT met"; }
printf '%d keep-alive connections, %d s a run, best of %d rounds, %d processors, load %s\n\n' \
    "$connections" "$seconds" "${BENCH_ROUNDS:-2}" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-40s %12s %12s\n' "" "requests/s" "p99 (ms)"
printf '%-40s %12.0f %12.2f\n' "nginx, static file" "$nginx_rps" "$nginx_p99"
printf '%-40s %12.0f %12.2f\n' "update service" "$our_rps" "$our_p99"
printf '%-40s %12.0f %12.2f\n' "nginx, $slow slow clients alongside" "$nginx_slow_rps" "$nginx_slow_p99"
printf '%-40s %12.0f %12.2f\n' "update service, $slow slow clients alongside" "$our_slow_rps" "$our_slow_p99"
echo
r=$(ratio "$our_rps" "$nginx_rps"); printf 'throughput / nginx            %5s  (goal >= 0.8) %s\n' "$r" "$(verdict "$r >= 0.8")"
r=$(ratio "$our_p99" "$nginx_p99"); printf 'p99 / nginx                   %5s  (goal <= 2)   %s\n' "$r" "$(verdict "$r <= 2")"
r=$(ratio "$our_slow_rps" "$nginx_rps"); printf 'with slow clients / nginx     %5s  (goal >= 0.5) %s\n' "$r" "$(verdict "$r >= 0.5")"
