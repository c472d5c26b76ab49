#!/usr/bin/env bash
# The main window of the real datavind.exe as a reader sees it, at display
# depth $5 with Wine reporting Windows version $4 (winxp64: NT 5.2, the
# shaped window's home; win10: NT 10, bordered). Shaped: corners are holes
# and bare background drags the window. Bordered: plain sky-blue corners and
# no drag. Both: a drag that starts on a hot-spot never moves the window,
# hover lights a section and writes the status line and leaving clears both,
# minimise minimises, and the exit hot-spot ends the program.
#
#   main_window_test.sh DISC DIALOGTOOL SHOTDIR VERSION DEPTH
set -euo pipefail
DISC=$1 DIALOGTOOL=$2 SHOTDIR=$3 VERSION=$4 DEPTH=$5
source "$(dirname "$0")/lib.sh"
name="main_window_${VERSION}_${DEPTH}"
mkdir -p "$SHOTDIR"

start_xvfb "$DEPTH"
trap 'stop_windows_program; stop_xvfb' EXIT
report_windows_version "$VERSION"
start_windows_program "$DISC"
answer_startup_box
client_area
shaped=false
[ "$VERSION" = winxp64 ] && [ "$DEPTH" -ge 24 ] && shaped=true
[ "$W $H" = "800 600" ] || fail "the client area is $W x $H"
shot "$name"

# Shape: outside the rounded outline.
corner=$(client_pixel 1 1)
skin=$(client_pixel 250 60)
echo "$name: client at $X,$Y; corner $corner; background $skin"
if $shaped; then
    colour_near "$corner" "0 0 0" 0 || fail "the corner is not a hole: $corner"
else
    colour_near "$corner" "166 202 240" 8 || fail "the corner is not plain sky blue: $corner"
fi
colour_near "$skin" "0 0 0" 0 && fail "the background picture is not drawn"

# Hover: the section lights up and names itself; leaving clears both.
unlit=$(client_pixel 388 10)
noje_lit() { ! colour_near "$(client_pixel 388 10)" "$unlit" 4; }
noje_unlit() { colour_near "$(client_pixel 388 10)" "$unlit" 0; }
status_written() { [ "$(status_text_pixels)" -gt 20 ]; }
status_clear() { [ "$(status_text_pixels)" -eq 0 ]; }
pointer_to 388 40
wait_until 10 noje_lit || fail "hovering Nöje did not light it ($unlit stays $(client_pixel 388 10))"
wait_until 5 status_written || fail "hovering Nöje wrote no status text ($(status_text_pixels) grey pixels)"
shot "${name}_hover"
pointer_to 250 60
wait_until 10 noje_unlit || fail "leaving Nöje left it lit"
wait_until 5 status_clear || fail "leaving Nöje did not clear the status line"

# Proves that the program has handled the pointer events sent so far: it
# takes them in turn, and lights Nöje under the pointer only after those
# before, then puts it out again.
pointer_events_handled() {
    pointer_to 388 40
    wait_until 10 noje_lit || fail "the Nöje hot-spot did not light up"
    pointer_to 250 60
    wait_until 10 noje_unlit || fail "the Nöje hot-spot stayed lit"
}
at() { client_area && [ "$X,$Y" = "$1,$2" ]; }

# Drag by bare background between the logo and the first section.
xdotool mousemove $((X + 250)) $((Y + 60)) mousedown 1
xdotool mousemove $((X + 270)) $((Y + 75))
xdotool mousemove $((X + 290)) $((Y + 90))
xdotool mouseup 1
x0=$X y0=$Y
if $shaped; then
    wait_until 10 at $((x0 + 40)) $((y0 + 30)) || true
else
    pointer_events_handled
fi
client_area
if $shaped; then
    [ "$X,$Y" = "$((x0 + 40)),$((y0 + 30))" ] || fail "the background drag moved the window to $X,$Y from $x0,$y0"
else
    [ "$X,$Y" = "$x0,$y0" ] || fail "the bordered window moved to $X,$Y"
fi

# A drag that starts on a hot-spot never moves the window.
x0=$X y0=$Y
xdotool mousemove $((X + 388)) $((Y + 40)) mousedown 1 mousemove $((X + 420)) $((Y + 80)) mouseup 1
pointer_events_handled
client_area
[ "$X,$Y" = "$x0,$y0" ] || fail "a drag on a hot-spot moved the window to $X,$Y"

# Minimise, then back as from the task bar.
pointer_to 762 15
xdotool click 1
minimised() { client_area && [ "$STATE" = minimised ]; }
wait_until 10 minimised || true
[ "$STATE" = minimised ] || fail "the minimise hot-spot left the window $STATE"
dialogtool restore --caption "Datavinds CD" --process datavind.exe >/dev/null
client_area
[ "$STATE" = normal ] || fail "the window did not come back: $STATE"

# The exit hot-spot ends the program, with success.
pointer_to 784 16
xdotool click 1
expect_exit_with_success "$name"
