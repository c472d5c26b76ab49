# Helpers for the end-to-end tests: the real executable on a copy of the
# sample disc, under its own Xvfb. Sourced, not run.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the command given after $1 until it succeeds, asking again every tenth
# of a second; false when it has not within $1 seconds. The one way these
# tests wait: on a condition, never on the clock alone.
wait_until() {
    local seconds=$1 _
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# True while process $1 runs.
running() { kill -0 "$1" 2>/dev/null; }
not_running() { ! running "$1"; }

# The colour of one screen pixel as "r g b".
pixel_at() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' | head -n1 |
        awk '{printf "%d %d %d\n", $1, $2, $3}'
}

# True when two "r g b" colours differ by at most $3 in every channel.
colour_near() {
    local a=($1) b=($2) tolerance=$3 i d
    for i in 0 1 2; do
        d=$(( a[i] - b[i] ))
        [ ${d#-} -le "$tolerance" ] || return 1
    done
}

find_main_window() {
    WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Datavinds CD$' | head -n1) ||
        fail "the main window did not appear"
}

# Starts the program of disc folder $1 and waits past its start-up tick,
# until its first page has loaded. Sets APP_PID, PROGRAM_LOG and WINDOW.
start_program() {
    web_engine_environment
    PROGRAM_LOG=${E2E_LOG:-$(mktemp)}
    (cd "$1" && DATAVIND_TIMING=1 exec ./datavind) >"$PROGRAM_LOG" 2>&1 &
    APP_PID=$!
    find_main_window
    # The browser's arrival gives the window a new native surface: look again
    # once the first page has loaded in it.
    wait_until 30 grep -q '^datavind-timing loaded' "$PROGRAM_LOG" || fail "the start page never loaded"
    find_main_window
}

stop_program() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    wait "${APP_PID:-}" 2>/dev/null || true
    APP_PID=""
}

# The window's client position as "x y".
window_position() {
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    echo "$X $Y"
}
