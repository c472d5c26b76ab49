#!/usr/bin/python3
"""Where a start from the emulated CD drive spends its time: what
bench/cd_drive.py traced, up to the start window and up to the start page.

    cd_trace_report.py TRACE BEGIN_MS [WINDOW_MS [PAGE_MS]]

BEGIN_MS, WINDOW_MS and PAGE_MS are the times (milliseconds since the epoch)
of the start command, the window and the loaded start page. For each span it
prints the drive's bytes, seeks and busy seconds (at the --rate and --seek-ms
the drive ran with) and the files that cost most, in the order first read.
"""

import argparse
import collections


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("trace")
    parser.add_argument("begin_ms", type=int)
    parser.add_argument("marks_ms", type=int, nargs="*")
    parser.add_argument("--rate", type=float, default=3.6, help="MB/s")
    parser.add_argument("--seek-ms", type=float, default=100.0)
    parser.add_argument("--top", type=int, default=12)
    a = parser.parse_args()
    reads = []
    head = None
    with open(a.trace) as trace:
        for line in trace:
            fields = line.rstrip("\n").split(" ", 6)
            if len(fields) != 7:
                continue
            # What the drive charged: a read that follows on costs only what
            # lies past the head.
            start, length, seek = int(fields[1]), int(fields[2]), int(fields[3])
            end = start + length
            charged = length if seek or head is None else max(0, end - head)
            head = end if seek or head is None else max(head, end)
            reads.append((float(fields[0]), charged, seek, fields[6]))
    begin = a.begin_ms / 1000.0
    spans = [("window", m / 1000.0) for m in a.marks_ms[:1]] + [("start page", m / 1000.0) for m in a.marks_ms[1:2]]
    spans.append(("traced", float("inf")))
    for name, until in spans:
        files = collections.OrderedDict()
        total = seeks = 0
        for when, length, seek, path in reads:
            if when > until:
                break
            cost = files.setdefault(path, [0, 0])
            cost[0] += length
            cost[1] += seek
            total += length
            seeks += seek
        busy = total / (a.rate * 1e6) + seeks * a.seek_ms / 1000.0
        head = "until the %s (%.1f s)" % (name, until - begin) if until != float("inf") else "all traced"
        print("%s: %.1f MB in %d seeks, %d files; the drive busy %.1f s" % (head, total / 1e6, seeks, len(files),
                                                                          busy))
        costly = sorted(files.items(), key=lambda item: -(item[1][0] / (a.rate * 1e6) + item[1][1] * a.seek_ms / 1e3))
        keep = {path for path, _ in costly[:a.top]}
        for path, (length, seek) in files.items():
            if path in keep:
                print("    %8.2f MB %4d seeks  %s" % (length / 1e6, seek, path))


if __name__ == "__main__":
    main()
