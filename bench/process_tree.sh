# What the start-up benchmarks measure of a program that starts helpers of
# its own (the web engine's processes, Wine's): sourced, not run.

now_ms() { date +%s%3N; }

# The process and all its descendants.
tree_of() {
    local pids=($1) i=0
    while [ $i -lt ${#pids[@]} ]; do
        pids+=($(pgrep -P "${pids[$i]}" || true))
        i=$((i + 1))
    done
    echo "${pids[@]}"
}
