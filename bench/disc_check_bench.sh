#!/usr/bin/env bash
# Time and memory of dvcd-check on hostile pages, each in a copy of the
# sample disc: the pages that once took minutes and gigabytes, and the
# worst that fits the default page bound (512 KiB). Goal: no page over
# about a second or 100 MB.
#
#   bench/disc_check_bench.sh [BUILD_DIR]     (default build/release)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
check=$build/service/dvcd-check
[ -x "$check" ] || { echo "build first: cmake --build --preset release --target dvcd-check" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# $1 name, $2 command that writes the page on stdout, $3... extra options
run() {
    local name=$1 make=$2
    shift 2
    rm -rf "$work/disc"
    cp -r "$top/disc" "$work/disc"
    eval "$make" > "$work/disc/docs/nytta/hostile.htm" || true # yes | head ends in SIGPIPE
    local size
    size=$(stat -c %s "$work/disc/docs/nytta/hostile.htm")
    /usr/bin/time -f "%e %M" -o "$work/time" "$check" "$work/disc" "$@" > "$work/out" 2>&1 || true
    read -r seconds kb < <(tail -1 "$work/time") # after "Command exited with non-zero status"
    printf '%-44s %10d %8.2f %8d  %s\n' "$name" "$size" "$seconds" $(( kb / 1024 )) \
        "$(grep -c 'hostile.htm' "$work/out") lines"
}
attributes() { awk -v n="$1" 'BEGIN { printf "<p"; for (i = 0; i < n; i++) printf " a%d=\"1\"", i; print ">x</p>" }'; }
links() { awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++) printf "<a href=\"s%d.htm\">x</a>\n", i }'; }
nested() { awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++) printf "<font>"; print "x" }'; }

printf '%-44s %10s %8s %8s  %s\n' "page (the whole check of the sample disc)" "bytes" "seconds" "MB" "report"
run "none: the sample disc alone" "true"
run "one element, 150 000 attributes" "attributes 150000"
run "22 MB of text" "yes 'Lorem ipsum dolor sit amet.' | head -c 23068672"
run "1 000 000 links" "links 1000000"
run "one element, 50 000 attributes (in bound)" "attributes 50000"
run "20 000 missing links (in bound)" "links 20000"
run "80 000 unclosed <font> (in bound)" "nested 80000"
run "150 000 attributes, bound raised to 64 MiB" "attributes 150000" --max-page-size 67108864
run "1 000 000 links, bound raised to 64 MiB" "links 1000000" --max-page-size 67108864
