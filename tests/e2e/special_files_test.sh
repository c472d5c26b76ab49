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
for _ in $(seq 50); do
    kill -0 "$APP_PID" 2>/dev/null || { echo "1 passed, 0 failed"; exit 0; }
    sleep 0.1
done
fail "the program did not answer the exit hot-spot"
