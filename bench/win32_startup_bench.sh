#!/usr/bin/env bash
# Start-up figures of the Windows program under Wine beside a bare Win32
# window and the Qt program, all at the root of one copy of the sample disc,
# in the same run.
#
#   bench/win32_startup_bench.sh [WIN64_BUILD] [RELEASE_BUILD]
#                               (default build/win64 and build/release)
#
# Columns, in milliseconds to the window's first paint: from the launch
# command (Wine's own start included), from the moment Windows created the
# process, and from the program's entry point (its own work). Then resident
# memory after 5 s: the program's process (for the Qt program its process
# tree, the web engine's processes included) and, under Wine, the prefix's
# own processes around it (wineserver, desktop, services), which every
# Windows program of the prefix shares. Last the size of datavind.exe.
# Goals: shown within 100 ms of start, memory under a tenth of the Qt
# program's, datavind.exe under 4 MB. The bare window shows what Wine itself
# costs on this machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
source "$top/bench/process_tree.sh"
win=${1:-$top/build/win64}
qt=${2:-$top/build/release}
runs=${RUNS:-3}
bare="$win/bench/win32/bare_win32_window.exe"
dialogtool="$win/tests/win32/tools/dialogtool.exe"

[ -f "$win/datavind.exe" ] && [ -d "$win/disc" ] && [ -f "$bare" ] && [ -f "$dialogtool" ] ||
    { echo "build the Windows program first: cmake --preset win64 && cmake --build --preset win64" >&2; exit 1; }
[ -x "$qt/disc/datavind" ] ||
    { echo "build the Qt program first: cmake --preset release && cmake --build --preset release" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
    remove_wine_prefix
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
disc="$work/disc"
cp -r "$win/disc" "$disc"
cp "$win/datavind.exe" "$disc/datavind.exe"
cp "$bare" "$disc/bare_win32_window.exe"
cp "$qt/disc/datavind" "$disc/datavind"

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb 24
fi
web_engine_environment
make_wine_prefix

rss_kb() { awk '/VmRSS/{print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }
tree_rss_kb() { local t=0 p; for p in $(tree_of "$1"); do t=$((t + $(rss_kb "$p"))); done; echo $t; }
# The prefix's own processes: wineserver and the Windows services it runs.
wine_rss_kb() {
    local t=0 p
    for p in $(pgrep -f 'wineserver|\.exe' || true); do
        [ "$p" = "$1" ] && continue
        tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        t=$((t + $(rss_kb "$p")))
    done
    echo $t
}
milestone() { tr -d '\r' <"$2" | awk -v m="$1" '$1 == "datavind-timing" && $2 == m {print $3; exit}'; }
wait_for() { for _ in $(seq 200); do grep -q "datavind-timing $1" "$2" && return 0; sleep 0.05; done; return 1; }

# measure PROGRAM: prints "launch created entry rss_kb wine_rss_kb" (all to shown)
measure() {
    local log="$work/timing.log" start pid
    : >"$log"
    start=$(now_ms)
    if [ "$1" = datavind ]; then
        (cd "$disc" && DATAVIND_TIMING=1 exec ./datavind) </dev/null 2>"$log" >/dev/null &
    else
        (cd "$disc" && DATAVIND_TIMING=1 HOME="$WINEPREFIX/home" exec wine "$1") </dev/null 2>"$log" >/dev/null &
    fi
    pid=$!
    wait_for shown "$log" || { echo "$1 showed no window" >&2; exit 1; }
    sleep 5
    local rss wine=0 shown created entry
    if [ "$1" = datavind ]; then
        rss=$(tree_rss_kb "$pid")
    else
        rss=$(rss_kb "$pid")
        wine=$(wine_rss_kb "$pid")
    fi
    shown=$(milestone shown "$log")
    created=$(milestone created "$log")
    entry=$(milestone entry "$log")
    end_program "$1" "$pid"
    echo "$((shown - start)) $([ -n "$created" ] && echo $((shown - created)) || echo -) $([ -n "$entry" ] && echo $((shown - entry)) || echo -) $rss $wine"
}

# Ends a program as a reader would: a Windows program's box answered and its
# window closed (a killed Wine process slows the next start of the prefix).
end_program() {
    if [ "$1" != datavind ]; then
        local caption=Bare
        [ "$1" = datavind.exe ] && caption="Datavinds CD"
        "$top/scripts/wine-run" "$dialogtool" press 1 --process "$1" >/dev/null || true
        "$top/scripts/wine-run" "$dialogtool" close --caption "$caption" --process "$1" >/dev/null || true
        for _ in $(seq 50); do kill -0 "$2" 2>/dev/null || break; sleep 0.1; done
    fi
    kill "$2" 2>/dev/null || true
    wait "$2" 2>/dev/null || true
    # The web engine's helpers take a while to go: let the machine settle.
    sleep 3
}

mib() { echo "scale=1; $1 / 1024" | bc; }
row() { printf '%-18s %4s %8s %9s %7s %9s %10s\n' "$@"; }

# The prefix's server and services keep running between the programs, as
# they do on a Windows that has been up for a while (Wine would otherwise
# stop them three seconds after the last program and start them again with
# the next); one start beforehand brings them up.
HOME="$WINEPREFIX/home" wineserver -p
measure datavind.exe >/dev/null

row who run launch created entry rss_MiB wine_MiB
declare -a W B Q
for run in $(seq "$runs"); do
    read -r -a W < <(measure datavind.exe)
    read -r -a B < <(measure bare_win32_window.exe)
    read -r -a Q < <(measure datavind)
    row datavind.exe "$run" "${W[0]}" "${W[1]}" "${W[2]}" "$(mib "${W[3]}")" "$(mib "${W[4]}")"
    row "bare Win32 window" "$run" "${B[0]}" "${B[1]}" "${B[2]}" "$(mib "${B[3]}")" "$(mib "${B[4]}")"
    row "datavind (Qt)" "$run" "${Q[0]}" - - "$(mib "${Q[3]}")" -
    row "exe / Qt" "$run" "$(echo "scale=2; ${W[0]} / ${Q[0]}" | bc)" - - \
        "$(echo "scale=3; ${W[3]} / ${Q[3]}" | bc)" "$(echo "scale=3; (${W[3]} + ${W[4]}) / ${Q[3]}" | bc)"
done
size=$(stat -c %s "$win/datavind.exe")
printf 'datavind.exe: %d bytes (%s MiB; goal under 4 MB)\n' "$size" "$(echo "scale=2; $size / 1048576" | bc)"
echo "goals: shown within 100 ms of start; memory (rss) under 0.10 of the Qt program's"
