#!/usr/bin/env bash
# Start-up from a CD: both programs started from a mastered image read
# through an emulated CD drive (bench/cd_drive.py), at 24x and 52x, each from
# a cold cache.
#
#   bench/cd_startup_bench.sh [IMAGE.iso ...]
#   (CD_BENCH_PROGRAMS="linux" or "windows" for one of them; CD_BENCH_SPEEDS="24";
#   CD_BENCH_TRACE=DIR keeps each start's trace of the drive and what
#   bench/cd_trace_report.py makes of it there)
#
# Without an image it masters the sample disc with build/release's dvcd-master,
# runtime and build/win64's datavind.exe. Prints for each image, speed and
# program: seconds to the first window (the start window with the skin and
# "Startar Datavinds CD...", or the main window when there is none), seconds
# to the loaded start page, and what the drive read by then (MB and seeks;
# "again" is what it delivered a second time for nothing, see cd_drive.py).
# Goals at 24x for the Linux program: window within 5 s, start page within 30 s.
#
# The drive is a FUSE file system over the files extracted from the image
# (this machine's kernel has no iso9660 driver to mount the image itself); it
# charges each read by the image's own sector positions and sizes, compressed
# ones included: 3.6 MB/s at 24x, 7.8 MB/s at 52x, 100 ms for each seek. It is
# mounted afresh for every start, so that no page of an earlier start is in
# the kernel's cache; the program's font cache starts empty as well, as on a
# reader's first start. Runs as root (FUSE); the web engine without its
# sandbox, as root must.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
source "$top/bench/process_tree.sh"
release=$top/build/release
win=$top/build/win64
timeout_s=${CD_BENCH_TIMEOUT:-300}
label="DV 12 2004"

[ "$(id -u)" -eq 0 ] || { echo "cd_startup_bench: FUSE mounts need root" >&2; exit 1; }
work=$(mktemp -d /tmp/cd-bench.XXXXXX)
drive_pid=
mnt="$work/media/$label"
cleanup() {
    mountpoint -q "$mnt" 2>/dev/null && umount "$mnt"
    [ -n "$drive_pid" ] && kill "$drive_pid" 2>/dev/null
    remove_wine_prefix
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

images=("$@")
if [ ${#images[@]} -eq 0 ]; then
    [ -x "$release/service/dvcd-master" ] && [ -d "$release/linux-runtime/linux" ] && [ -f "$win/datavind.exe" ] ||
        { echo "build first: release and win64 presets, then scripts/linux-runtime" >&2; exit 1; }
    "$release/service/dvcd-master" "$release/disc" --label "$label" -o "$work/disc.iso" \
        --windows-program "$win/datavind.exe" --linux-runtime "$release/linux-runtime" >/dev/null
    images=("$work/disc.iso")
fi

[ -n "${DISPLAY:-}" ] || start_xvfb 24
web_engine_environment
make_wine_prefix
map_wine_cd_drive d "$mnt"
# The prefix's server stays up between the starts, as on a Windows that has
# been running for a while.
HOME="$WINEPREFIX/home" wineserver -p

mount_drive() { # tree image rate [trace]
    mkdir -p "$mnt"
    /usr/bin/python3 "$top/bench/cd_drive.py" "$2" "$1" "$mnt" --rate "$3" --stats "$work/stats" \
        ${4:+--trace "$4"} >"$work/drive.log" 2>&1 &
    drive_pid=$!
    for _ in $(seq 100); do mountpoint -q "$mnt" && return 0; sleep 0.1; done
    cat "$work/drive.log" >&2
    return 1
}
unmount_drive() {
    umount "$mnt" 2>/dev/null || umount -l "$mnt"
    wait "$drive_pid" 2>/dev/null || true
    drive_pid=
}
milestone() { tr -d '\r' <"$2" | awk -v m="$1" '$1 == "datavind-timing" && $2 == m {print $3; exit}'; }
seconds() { [ -n "$1" ] && echo "scale=1; ($1 - $2) / 1000" | bc || echo ">$timeout_s"; }

# start PROGRAM [TRACE RATE]: prints "window_s page_s MB seeks again_MB"
start() {
    local log="$work/timing.log" begin pid
    : >"$log"
    rm -rf "$work/home" && mkdir -p "$work/home"
    begin=$(now_ms)
    if [ "$1" = linux ]; then
        setsid env HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache" DATAVIND_TIMING=1 \
            "$mnt/datavind" </dev/null >/dev/null 2>"$log" &
    else
        setsid env HOME="$WINEPREFIX/home" DATAVIND_TIMING=1 wine 'd:\datavind.exe' </dev/null >/dev/null 2>"$log" &
    fi
    pid=$!
    for _ in $(seq $((timeout_s * 10))); do
        grep -q 'datavind-timing loaded' "$log" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    local splash shown loaded window bytes seeks busy again
    splash=$(milestone splash "$log")
    shown=$(milestone shown "$log")
    loaded=$(milestone loaded "$log")
    window=${splash:-$shown}
    [ -n "$shown" ] && [ -n "$window" ] && [ "$shown" -lt "$window" ] && window=$shown
    read -r bytes seeks busy again <"$work/stats"
    kill -- "-$pid" 2>/dev/null || true
    for p in $(tree_of "$pid"); do kill "$p" 2>/dev/null || true; done
    wait "$pid" 2>/dev/null || true
    sleep 2
    if [ -n "${2:-}" ]; then
        /usr/bin/python3 "$top/bench/cd_trace_report.py" --rate "$3" "$2" "$begin" $window ${window:+$loaded} \
            >"${2%.trace}.txt" || true
    fi
    echo "$(seconds "$window" "$begin") $(seconds "$loaded" "$begin") $(echo "scale=1; $bytes / 1000000" | bc) $seeks" \
        "$(echo "scale=1; ${again:-0} / 1000000" | bc)"
}

printf '%-24s %5s %-8s %9s %9s %8s %6s %8s\n' image speed program window_s page_s read_MB seeks again_MB
for image in "${images[@]}"; do
    tree="$work/tree"
    chmod -R u+w "$tree" 2>/dev/null || true
    rm -rf "$tree"
    xorriso -osirrox on -indev "$image" -extract / "$tree" >/dev/null 2>&1
    # Wine reads a folder drive's label from here (not on the disc: free to read).
    chmod u+w "$tree"
    printf '%s' "$label" >"$tree/.windows-label"
    for speed in ${CD_BENCH_SPEEDS:-24 52}; do
        case $speed in 24) speed=24:3.6 ;; 52) speed=52:7.8 ;; *) echo "speeds: 24, 52" >&2; exit 2 ;; esac
        for program in ${CD_BENCH_PROGRAMS:-linux windows}; do
            trace=
            if [ -n "${CD_BENCH_TRACE:-}" ]; then
                mkdir -p "$CD_BENCH_TRACE"
                trace=$CD_BENCH_TRACE/$(basename "$image" .iso)-${speed%%:*}x-$program.trace
            fi
            mount_drive "$tree" "$image" "${speed#*:}" "$trace"
            read -r window page mb seeks again < <(start "$program" "$trace" "${speed#*:}")
            unmount_drive
            printf '%-24s %4sx %-8s %9s %9s %8s %6s %8s\n' "$(basename "$image")" "${speed%%:*}" "$program" \
                "$window" "$page" "$mb" "$seeks" "$again"
        done
    done
done
echo "goals at 24x (linux): window within 5 s, start page within 30 s"
