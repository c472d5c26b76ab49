#!/usr/bin/env bash
# The main window of the real datavind.exe on a display Wine reports at
# $4 dpi (96 is 100 %, 144 is 150 %, 192 is 200 %), shaped (Windows XP x64,
# 24 bits): the client area is 800 x 600 logical units in the display's
# pixels, the corners are holes, the real pointer at a hot-spot's scaled
# place lights its highlight there and writes the status line in a font of
# the scaled size, and the exit hot-spot at its scaled place ends the
# program. Screenshots of each go to SHOTDIR.
#
#   display_scale_test.sh DISC DIALOGTOOL SHOTDIR DPI
set -euo pipefail
DISC=$1 DIALOGTOOL=$2 SHOTDIR=$3 DPI=$4
source "$(dirname "$0")/lib.sh"
name="display_scale_${DPI}"
mkdir -p "$SHOTDIR"

# A logical coordinate in the display's pixels: rounded to the nearest, as
# the program rounds.
px() { echo $((($1 * DPI + 48) / 96)); }

# The display's scale, where Wine reads it first (the user's setting, before
# HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts);
# taken away again for the other tests.
DPI_KEY='HKCU\Control Panel\Desktop'
set_dpi() {
    HOME="$WINEPREFIX/home" wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
unset_dpi() {
    HOME="$WINEPREFIX/home" wine reg delete "$DPI_KEY" /v LogPixels /f </dev/null >/dev/null 2>&1 || true
}
start_xvfb 24 2560x1920
trap 'stop_windows_program; wait_for_idle_wine; unset_dpi; stop_xvfb' EXIT
report_windows_version winxp64
set_dpi "$DPI"
start_windows_program "$DISC"
answer_startup_box
client_area
echo "$name: client at $X,$Y, $W x $H"
shot "$name"
[ "$W $H" = "$(px 800) $(px 600)" ] || fail "the client area is $W x $H, not 800 x 600 at $DPI dpi"

# Shape: outside the rounded outline at the scaled corner, the skin inside.
corner=$(client_pixel "$(px 1)" "$(px 1)")
skin=$(client_pixel "$(px 250)" "$(px 60)")
echo "$name: corner $corner; background $skin"
colour_near "$corner" "0 0 0" 0 || fail "the corner is not a hole: $corner"
colour_near "$skin" "0 0 0" 0 && fail "the background picture is not drawn"

# The status line's grey text: how many pixels, and over how many rows.
status_text() {
    import -window root -crop "$(px 722)x$(($(px 573) - $(px 559)))+$((X + $(px 11)))+$((Y + $(px 559)))" \
        -depth 8 txt:- \
        2>/dev/null |
        sed -n 's/^[0-9]*,\([0-9]*\):.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' |
        awk '$2 < 200 && $3 < 200 && $4 < 200 { n++; rows[$1] = 1 }
             END { r = 0; for (k in rows) r++; print n + 0, r }'
}

# Hover: the pointer at a place of Nöje that, above 100 %, only its scaled
# rectangle holds (right of and below its unscaled one).
hx=$(px 418) hy=$(px 90)
unlit=$(client_pixel "$(px 388)" "$(px 10)")
noje_lit() { ! colour_near "$(client_pixel "$(px 388)" "$(px 10)")" "$unlit" 4; }
noje_unlit() { colour_near "$(client_pixel "$(px 388)" "$(px 10)")" "$unlit" 0; }
status_written() { read -r text rows <<<"$(status_text)" && [ "$text" -gt "$(px 20)" ]; }
status_clear() { read -r text rows <<<"$(status_text)" && [ "$text" -eq 0 ]; }
pointer_to "$hx" "$hy"
wait_until 10 noje_lit || true
wait_until 5 status_written || true
lit=$(client_pixel "$(px 388)" "$(px 10)")
read -r text rows <<<"$(status_text)"
shot "${name}_hover"
echo "$name: Nöje $unlit -> $lit; status text $text pixels over $rows rows"
colour_near "$lit" "$unlit" 4 && fail "the pointer at Nöje's scaled place did not light it ($unlit stays $lit)"
[ "$text" -gt "$(px 20)" ] || fail "hovering Nöje wrote no status text ($text grey pixels)"
# 8 points: about 8 rows of letters at 100 % (with ä's dots), twice as many at 200 %.
[ "$rows" -ge "$(px 7)" ] && [ "$rows" -le "$(px 12)" ] ||
    fail "the status text is $rows rows high, not the 8 points of the program's font at $DPI dpi"
pointer_to "$(px 250)" "$(px 60)"
wait_until 10 noje_unlit || fail "leaving Nöje left it lit"
wait_until 5 status_clear || fail "leaving Nöje did not clear the status line"

# The exit hot-spot, at its scaled place, ends the program with success.
pointer_to "$(px 784)" "$(px 16)"
xdotool click 1
expect_exit_with_success "$name"
