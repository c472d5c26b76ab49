#!/usr/bin/env bash
# File search figures on a generated program list of 1,000,000 lines (200
# discs), beside grep -c -i -F over the same file in the same run.
#
#   bench/filesearch_bench.sh [BUILD_DIR]     (default build/release)
#
# Goals: a search within 2 x grep's time; peak memory under 3 x the file.
# Both sides report the best of five runs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
tool=$build/bench/filesearch_bench
[ -x "$tool" ] || { echo "build first: cmake --build --preset release" >&2; exit 1; }

disc=$(mktemp -d)
mkdir -p "$disc/filsok"
list=$disc/filsok/proglist.txt
count=$disc/count
trap 'rm -rf "$disc"' EXIT
"$tool" generate "$list"
size_kib=$(( $(stat -c %s "$list") / 1024 ))
echo "program list: $(wc -l < "$list") lines, $size_kib KiB"

out=$("$tool" run "$disc" KALKYL SETUP)
echo "$out"
peak=$(awk '/^peak/{print $2}' <<<"$out")
printf 'peak memory %.2f x the file (goal < 3)\n' "$(echo "$peak / $size_kib" | bc -l)"

for text in KALKYL SETUP; do
    ours=$(awk -v t="$text" '$1=="search" && $2==t {print $3}' <<<"$out")
    grep_ms=1000000
    for _ in 1 2 3 4 5; do
        # Not to /dev/null: GNU grep then stops at the first match.
        t0=$(date +%s%N); grep -c -i -F "$text" "$list" >"$count" || true; t1=$(date +%s%N)
        ms=$(echo "($t1 - $t0) / 1000000" | bc -l)
        grep_ms=$(echo "if ($ms < $grep_ms) $ms else $grep_ms" | bc -l)
    done
    printf 'search %-7s ours %8.1f ms  grep %8.1f ms  ratio %.2f (goal <= 2)\n' \
        "$text" "$ours" "$grep_ms" "$(echo "$ours / $grep_ms" | bc -l)"
done
