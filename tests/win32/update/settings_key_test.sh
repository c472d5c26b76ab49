#!/usr/bin/env bash
# datavind.exe and its settings key. A first start asks the update question
# once the start page has come to an end (under Wine it fails to load, which
# counts); starting creates no key, and a start that ends without an orderly
# exit leaves none. An orderly exit keeps the answer, and the next start
# does not ask again.
#
#   settings_key_test.sh DISC DIALOGTOOL SHOTDIR
set -euo pipefail
DISC=$1 DIALOGTOOL=$2 SHOTDIR=$3
source "$(dirname "$0")/../e2e/lib.sh"
name=settings_key
mkdir -p "$SHOTDIR"
export ASK_UPDATE_QUESTION=1
QUESTION="Automatisk uppdatering"

key() { HOME="$WINEPREFIX/home" wine reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
key_exists() { HOME="$WINEPREFIX/home" wine reg query "$SETTINGS_KEY" </dev/null >/dev/null 2>&1; }
value_of() { key query "$SETTINGS_KEY" /v "$1" | awk -v v="$1" '$1 == v { print $3 }'; }

# The question's client area: sets QX QY.
question_area() {
    local out
    out=$(dialogtool window --caption "$QUESTION" --process datavind.exe --wait "${1:-20}") || return 1
    read -r QX QY _ <<<"$out"
}

click_question() {
    xdotool mousemove $((QX + $1)) $((QY + $2))
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

# How many pixels of a screen rectangle are dark: text drawn there.
dark_pixels() {
    import -window root -crop "$3x$4+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 < 128 && $2 < 128 && $3 < 128 { n++ } END { print n + 0 }'
}

# The main window's client area, asked again until Wine answers: sets X Y.
main_area() {
    local out
    for _ in 1 2 3; do
        if out=$(dialogtool window --caption "Datavinds CD" --process datavind.exe --wait 5); then
            read -r X Y _ <<<"$out"
            return 0
        fi
    done
    shot "${name}_lost"
    fail "the main window is not there"
}

exit_program() {
    main_area
    pointer_to 784 16
    xdotool click 1
    local status=0
    wait_until 10 not_running "$APP_PID" || fail "the exit hot-spot did not end the program"
    wait "$APP_PID" || status=$?
    APP_PID=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

start_xvfb 24
trap 'stop_windows_program; stop_xvfb' EXIT
report_windows_version win10
HOME="$WINEPREFIX/home" wine reg delete "$SETTINGS_KEY" /f </dev/null >/dev/null 2>&1 || true
key_exists && fail "the settings key is there before the test"

# A start that ends without an orderly exit.
start_windows_program "$DISC"
question_area || fail "the update question did not come"
# Its text drawn before the picture is taken.
question_drawn() { [ "$(dark_pixels "$QX" "$QY" 300 60)" -gt 40 ]; }
wait_until 5 question_drawn || fail "the update question shows no text"
shot "${name}_question"
key_exists && fail "starting created the settings key"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
wait_for_idle_wine
key_exists && fail "a start without an orderly exit left the settings key"

# "Nej", not to be reminded, "Stäng"; then the exit hot-spot.
start_windows_program "$DISC"
question_area || fail "the update question did not come again"
click_question 20 128  # rbNo
click_question 20 160  # cbNoNo
click_question 362 157 # Button1, "Stäng"
dialogtool gone --caption "$QUESTION" --process datavind.exe --wait 10 || fail "the question stayed open after Stäng"
key_exists && fail "the answer was written before the exit"
exit_program
wait_for_idle_wine
key_exists || fail "an orderly exit left no settings key"
[ "$(value_of CheckAtStart)" = 0x0 ] || fail "CheckAtStart is '$(value_of CheckAtStart)', not 0"
[ "$(value_of DontRemind)" = 0x1 ] || fail "DontRemind is '$(value_of DontRemind)', not 1"

# The next start does not ask. "Filsök" opens the search window, whose
# search box has the keys: Enter searches, Esc hides it.
start_windows_program "$DISC"
question_area 5 && fail "the question came although the reader asked not to be reminded"
main_area # where this start put the window
pointer_to 349 113
xdotool click 1
search=$(dialogtool window --caption "Filsökaren" --process datavind.exe --wait 10) ||
    { shot "${name}_no_search"; fail "Filsök did not open the search window"; }
read -r SX SY _ <<<"$search"
xdotool type --delay 50 setup
xdotool key Return
# The tree comes to hold the hits: its first lines are no longer blank.
tree_filled() { [ "$(dark_pixels $((SX + 4)) $((SY + 100)) 170 34)" -gt 40 ]; }
wait_until 10 tree_filled || { shot "${name}_search"; fail "the search put nothing in the tree"; }
shot "${name}_search"
xdotool key Escape
search_gone() { ! dialogtool window --caption "Filsökaren" --process datavind.exe >/dev/null; }
wait_until 5 search_gone || fail "Esc did not hide the search window"
exit_program
echo "$name: passed"
