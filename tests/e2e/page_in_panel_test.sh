#!/usr/bin/env bash
# The start page is drawn in the browser panel at display depth $2, the
# bordered fallback's 16 bits included: a page of one colour fills the panel.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
sample=$1
depth=$2

disc=$(mktemp -d)
cp -r "$sample/." "$disc"
cat > "$disc/docs/ettan/index.htm" <<'HTML'
<!DOCTYPE html><html><head><meta charset="utf-8"></head>
<body style="margin:0;background:#3366cc"></body></html>
HTML

start_xvfb "$depth"
trap 'stop_program; stop_xvfb; rm -rf "$disc"' EXIT
start_program "$disc"

read -r x y < <(window_position)
# The panel lies at (8, 122), 784 x 432; look away from its scroll bar. The
# first point waits for the page, the others must agree at once.
page="51 102 204"
page_shown() { colour_near "$(pixel_at $((x + 40)) $((y + 140)))" "$page" 8; }
wait_until 10 page_shown || true # the points below say what was seen
failed=0
for at in "40 140" "400 330" "700 520" "20 540"; do
    read -r px py <<<"$at"
    seen=$(pixel_at $((x + px)) $((y + py)))
    if ! colour_near "$seen" "$page" 8; then
        echo "depth $depth: panel pixel $px,$py is $seen, not the page's $page" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] || fail "the page is not drawn in the panel at $depth bits"
echo "1 passed, 0 failed"
