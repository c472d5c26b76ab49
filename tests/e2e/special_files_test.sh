#!/usr/bin/env bash
# A disc whose music, current-disc file and film are FIFOs: the program's
# window still comes, it answers, and the exit hot-spot ends it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
sample=$1

disc=$(mktemp -d)
cp -r "$sample/." "$disc"
rm -f "$disc"/musik/*.mp3 "$disc/filsok/aktuellt.txt" "$disc/Webblasare/ie6sv/ROMCONF.CAB"
mkfifo "$disc/musik/a.mp3" "$disc/filsok/aktuellt.txt" "$disc/Webblasare/ie6sv/ROMCONF.CAB"

start_xvfb 24
trap 'stop_program; stop_xvfb; rm -rf "$disc"' EXIT
start_program "$disc"

read -r x y < <(window_position)
xdotool mousemove $((x + 784)) $((y + 16)) click 1
wait_until 5 not_running "$APP_PID" || fail "the program did not answer the exit hot-spot"
echo "1 passed, 0 failed"
