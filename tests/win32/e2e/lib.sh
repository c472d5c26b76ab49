# Helpers for the end-to-end tests of the Windows program: datavind.exe at
# the root of the sample disc, run by Wine in the caller's prefix
# (WINEPREFIX, from make_wine_prefix) on an Xvfb of the test's own, and
# watched from outside: dialogtool for what Windows knows of its windows and
# boxes, xdotool for the mouse, screenshots for the pixels. Sourced, not run.
#
# Each test script takes DISC DIALOGTOOL SHOTDIR as its first arguments.

source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib.sh"
: "${WINEPREFIX:?the Windows tests need WINEPREFIX (make_wine_prefix)}"
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
WINE_RUN="$DATAVIND_TOP/scripts/wine-run"

dialogtool() { "$WINE_RUN" "$DIALOGTOOL" "$@"; }

# The Windows version Wine reports to datavind.exe (winxp64, win7, win10...).
report_windows_version() {
    wait_for_idle_wine
    wine_windows_version datavind.exe "$1"
}

# Waits until the prefix's Wine processes of earlier tests have ended. Wine
# keeps one desktop process per prefix on the display of its first program;
# left running on another test's display, it stops window moves here.
wait_for_idle_wine() {
    HOME="$WINEPREFIX/home" timeout 30 wineserver -w || HOME="$WINEPREFIX/home" wineserver -k || true
}

# The program's settings key, as the program keeps it for the reader.
SETTINGS_KEY='HKCU\Software\Velmora Media\Datavinds cd'

# A reader who has answered the update question already and asked not to be
# reminded: the program starts without asking and checks nothing. Tests of
# the question itself set ASK_UPDATE_QUESTION=1.
answer_update_question() {
    HOME="$WINEPREFIX/home" wine reg add "$SETTINGS_KEY" /v DontRemind /t REG_DWORD /d 1 /f \
        </dev/null >/dev/null 2>&1
}

# A reader who said yes to update checks at start and asked not to be
# asked again: the program looks for updates once its start page is in,
# without a question.
agree_to_update_checks() {
    HOME="$WINEPREFIX/home" wine reg add "$SETTINGS_KEY" /v CheckAtStart /t REG_DWORD /d 1 /f \
        </dev/null >/dev/null 2>&1
    answer_update_question
}

# Starts the program of disc folder $1 from another folder, as autorun does,
# and waits for its main window. Sets APP_PID.
start_windows_program() { start_windows_executable "$1/datavind.exe"; }

# Starts the Windows program $1, a Unix path or one on a Wine drive
# (D:\datavind.exe), from another folder, and waits for its main window.
# Sets APP_PID.
start_windows_executable() {
    [ -n "${ASK_UPDATE_QUESTION:-}" ] || answer_update_question
    wait_for_idle_wine
    (cd / && HOME="$WINEPREFIX/home" exec wine "$1") </dev/null >"${E2E_LOG:-/dev/null}" 2>&1 &
    APP_PID=$!
    client_area 30
}

# The main window's client area on the screen: sets X Y W H STATE.
client_area() {
    local out
    out=$(dialogtool window --caption "Datavinds CD" --process datavind.exe --wait "${1:-5}") || {
        shot "${name:-e2e}_lost"
        xwininfo -root -tree | grep -i datavind >&2 || true
        fail "the main window is not there"
    }
    read -r X Y W H STATE <<<"$out"
}

# After the start-up tick: a browser that cannot be created under this Wine
# is reported with exactly this box, which is answered; any other box fails.
answer_startup_box() {
    local box
    # Wine here has no engine for pages, so the box comes; where it has one
    # this waits its five seconds for nothing.
    # The listing that found the box is the one read below.
    some_box() { box=$(dialogtool list --process datavind.exe); }
    wait_until 5 some_box || return 0
    case "$box" in
    *$'\tDatavinds cd\tKunde inte skapa IE\t1=OK') dialogtool press 1 --process datavind.exe >/dev/null ;;
    *) fail "unexpected box: $box" ;;
    esac
    no_box() { ! dialogtool list --process datavind.exe >/dev/null; }
    wait_until 5 no_box || fail "the box did not close"
}

# Moves the pointer to a client point of the main window in two steps, so
# that Wine sees a move inside the window. The program takes the moves in
# turn with what follows them; a test that looks at what a move did waits
# for it to show.
pointer_to() {
    xdotool mousemove $((X + $1 + 1)) $((Y + $2 + 1))
    xdotool mousemove $((X + $1)) $((Y + $2))
}

# The colour of a client point of the main window.
client_pixel() { pixel_at $((X + $1)) $((Y + $2)); }

# How many pixels of the status line are darker than its light panel: its
# grey text, whatever the display depth makes of that grey.
status_text_pixels() {
    import -window root -crop "722x13+$((X + 11))+$((Y + 559))" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 < 200 && $2 < 200 && $3 < 200 { n++ } END { print n + 0 }'
}

shot() { import -window root "$SHOTDIR/$1.png"; }

# Ends the program if it is still running and waits for it.
stop_windows_program() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    wait "${APP_PID:-}" 2>/dev/null || true
    APP_PID=""
}

# Waits up to five seconds for the program to end after a click on its exit
# hot-spot; passes test $1 when it ended with success.
expect_exit_with_success() {
    local status=0
    wait_until 5 not_running "$APP_PID" || fail "the exit hot-spot did not end the program"
    wait "$APP_PID" || status=$?
    APP_PID=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    echo "$1: passed"
    exit 0
}
