#!/usr/bin/env bash
# The main window as a reader sees it at display depth $2: shaped with holes
# at 24 bits and draggable by its background; bordered with plain sky-blue
# corners at 16 bits and not draggable; the exit hot-spot ends the program.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
disc=$1
depth=$2

start_xvfb "$depth"
trap 'stop_program; stop_xvfb' EXIT
start_program "$disc"

read -r x y < <(window_position)
corner=$(pixel_at "$x" "$y")
skin=$(pixel_at $((x + 250)) $((y + 60)))
unlit=$(pixel_at $((x + 388)) $((y + 10)))
echo "depth $depth: window at $x,$y; corner $corner; background $skin"

if [ "$depth" -ge 24 ]; then
    colour_near "$corner" "0 0 0" 0 || fail "the corner is not a hole: $corner"
else
    colour_near "$corner" "166 202 240" 8 || fail "the corner is not plain sky blue: $corner"
fi
colour_near "$skin" "0 0 0" 0 && fail "the background picture is not drawn"

# Proves that the program has handled every pointer event sent so far, the
# window at $1,$2: it handles them in turn, and lights the Nöje hot-spot under
# the pointer only after those before, then puts it out again.
noje_lit() { ! colour_near "$(pixel_at $(($1 + 388)) $(($2 + 10)))" "$unlit" 4; }
noje_unlit() { ! noje_lit "$@"; }
pointer_events_handled() {
    xdotool mousemove $(($1 + 388)) $(($2 + 40))
    wait_until 10 noje_lit "$1" "$2" || fail "the Nöje hot-spot did not light up"
    xdotool mousemove $(($1 + 250)) $(($2 + 60))
    wait_until 10 noje_unlit "$1" "$2" || fail "the Nöje hot-spot stayed lit"
}
at() { [ "$(window_position)" = "$1 $2" ]; }

# Drag by bare background between the logo and the first section icon.
xdotool mousemove $((x + 250)) $((y + 60)) mousedown 1
xdotool mousemove $((x + 270)) $((y + 75))
xdotool mousemove $((x + 290)) $((y + 90))
xdotool mouseup 1
if [ "$depth" -ge 24 ]; then
    wait_until 10 at $((x + 40)) $((y + 30)) || true
else
    pointer_events_handled "$x" "$y"
fi
read -r nx ny < <(window_position)
if [ "$depth" -ge 24 ]; then
    [ "$nx,$ny" = "$((x + 40)),$((y + 30))" ] || fail "the background drag moved the window to $nx,$ny"
else
    [ "$nx,$ny" = "$x,$y" ] || fail "the bordered window moved to $nx,$ny"
fi

# A drag that starts on a hot-spot never moves the window.
read -r x y < <(window_position)
xdotool mousemove $((x + 388)) $((y + 40)) mousedown 1 mousemove $((x + 420)) $((y + 80)) mouseup 1
pointer_events_handled "$x" "$y"
at "$x" "$y" || fail "a drag on a hot-spot moved the window"

# The exit hot-spot closes the program.
xdotool mousemove $((x + 784)) $((y + 16)) click 1
wait_until 5 not_running "$APP_PID" || fail "the exit hot-spot did not end the program"
echo "1 passed, 0 failed"
