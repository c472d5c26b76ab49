#!/usr/bin/env bash
# Start-up figures of the program on the sample disc beside a bare Qt
# WebEngine window loading the same start page, in the same run.
#
#   bench/startup_bench.sh [BUILD_DIR]     (default build/release)
#
# Prints, for each: time from launch to window shown and to start page
# loaded, resident memory of its process tree after 10 s idle, and the CPU
# time that tree used over the next 10 s of idling. Ratios are program/bare.
# Goals: shown no later than the bare window; loaded within 500 ms plus 1.2 x
# the bare load time; idle CPU no more than the bare window's.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
source "$top/bench/process_tree.sh"
build=${1:-$top/build/release}
disc=$build/disc
runs=${RUNS:-3}

[ -x "$disc/datavind" ] && [ -x "$build/bench/bare_webview" ] ||
    { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 1; }

web_engine_environment
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb 24
    trap stop_xvfb EXIT
fi

rss_kb() { local t=0 p; for p in $(tree_of "$1"); do t=$((t + $(awk '/VmRSS/{print $2}' /proc/$p/status 2>/dev/null || echo 0))); done; echo $t; }
cpu_ticks() { local t=0 p; for p in $(tree_of "$1"); do t=$((t + $(awk '{print $14 + $15}' /proc/$p/stat 2>/dev/null || echo 0))); done; echo $t; }

# measure NAME COMMAND...: prints "shown_ms loaded_ms rss_kb idle_cpu_ms"
measure() {
    local log; log=$(mktemp)
    local start; start=$(now_ms)
    DATAVIND_TIMING=1 "$@" 2>"$log" >/dev/null &
    local pid=$!
    for _ in $(seq 300); do grep -q 'datavind-timing loaded' "$log" && break; sleep 0.05; done
    local shown loaded
    shown=$(awk '/datavind-timing shown/{print $3; exit}' "$log")
    loaded=$(awk '/datavind-timing loaded/{print $3; exit}' "$log")
    sleep 10
    local rss; rss=$(rss_kb "$pid")
    local c0; c0=$(cpu_ticks "$pid")
    sleep 10
    local c1; c1=$(cpu_ticks "$pid")
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    rm -f "$log"
    local hz; hz=$(getconf CLK_TCK)
    echo "$((shown - start)) $((loaded - start)) $rss $(( (c1 - c0) * 1000 / hz ))"
}

page="$disc/docs/ettan/index.htm"
printf '%-10s %4s %10s %10s %10s %12s\n' who run shown_ms loaded_ms rss_MiB idle_cpu_ms
declare -a P B
for run in $(seq "$runs"); do
    read -r -a P < <(cd "$disc" && measure ./datavind)
    read -r -a B < <(measure "$build/bench/bare_webview" "$page")
    printf '%-10s %4d %10d %10d %10.1f %12d\n' datavind "$run" "${P[0]}" "${P[1]}" "$(echo "${P[2]}/1024" | bc -l)" "${P[3]}"
    printf '%-10s %4d %10d %10d %10.1f %12d\n' bare "$run" "${B[0]}" "${B[1]}" "$(echo "${B[2]}/1024" | bc -l)" "${B[3]}"
    printf '%-10s %4d %10.2f %10.2f %10.2f %12s   (load goal: %d ms)\n' ratio "$run" \
        "$(echo "${P[0]}/${B[0]}" | bc -l)" "$(echo "${P[1]}/${B[1]}" | bc -l)" \
        "$(echo "${P[2]}/${B[2]}" | bc -l)" "${P[3]}-${B[3]}" "$(echo "500 + 1.2*${B[1]}" | bc | cut -d. -f1)"
done
