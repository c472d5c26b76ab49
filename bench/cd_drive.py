#!/usr/bin/python3
"""A CD drive for the start-up benchmark: a read-only FUSE pass-through over
the files extracted from a disc image that takes as long to answer as a drive
would. Each read costs the transfer of the sectors it covers at the drive's
speed, plus a seek when it does not follow on from where the last read ended.
Sector positions and sizes are the image's own (xorriso's report_lba), so a
file compressed with zisofs costs its compressed sectors, spread evenly over
its uncompressed bytes, as the kernel's iso9660 driver would read them.

    cd_drive.py IMAGE TREE MOUNTPOINT [--rate MB/s] [--seek-ms MS] [--stats FILE] [--trace FILE]

With "-" for IMAGE it charges nothing and only traces what is read, with
disc offset -1 (scripts/linux-start-order records the start's reads so).

Runs in the foreground until unmounted. The drive keeps no cache of its own;
mount it afresh for a cold start (the kernel drops its cache of the files
with the mount). A part of a file it has delivered once since the mount is
delivered again for nothing: the kernel of this machine (a virtual one)
drops a few clean pages of a FUSE file system within seconds, with gigabytes
free, where a reader's kernel keeps them; a reader's drive would not be
asked for them again. --stats is rewritten after every read with
"bytes seeks busy_seconds again_bytes"; --trace gets one line per read:
"unix_seconds disc_offset length seek file_offset file_length path"
(bench/cd_trace_report.py sums it up).
"""

import argparse
import errno
import os
import subprocess
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations

SECTOR = 2048
# A drive reads through a short gap rather than seek over it, and still
# holds the sectors it has just read in its buffer.
READ_THROUGH_GAP = 64 * SECTOR
BUFFERED = 64 * SECTOR


def sector_map(image):
    """ISO path -> (first byte on disc, bytes on disc, file size)."""
    out = subprocess.run(["xorriso", "-no_rc", "-indev", image, "-find", "/", "-type", "f",
                          "-exec", "report_lba", "--"],
                         check=True, capture_output=True, text=True).stdout
    files = {}
    for line in out.splitlines():
        if not line.startswith("File data lba:"):
            continue
        fields, _, path = line[len("File data lba:"):].partition(", '")
        _, lba, blocks, size = [int(f) for f in fields.replace(" ", "").split(",")[:4]]
        path = path[:-1] if path.endswith("'") else path
        # A file of several extents (over 4 GiB) is not on a cover disc.
        files.setdefault(path, (lba * SECTOR, blocks * SECTOR, size))
    return files


class Drive:
    def __init__(self, rate, seek_seconds, stats, trace):
        self.rate = rate
        self.seek_seconds = seek_seconds
        self.stats = stats
        self.trace = open(trace, "w", buffering=1) if trace else None
        self.lock = threading.Lock()
        self.head = None
        self.bytes = 0
        self.seeks = 0
        self.busy = 0.0
        self.again = 0
        self.delivered = {}
        self.write_stats()

    def read(self, path, start, length, file_offset, file_length):
        with self.lock:
            if self.deliver(path, file_offset, file_offset + file_length):
                self.again += file_length
                self.write_stats()
                return
            end = start + length
            seek = self.head is None or not (self.head - BUFFERED <= start <= self.head + READ_THROUGH_GAP)
            charged = length if seek else max(0, end - self.head)
            cost = charged / self.rate + (self.seek_seconds if seek else 0.0)
            time.sleep(cost)
            self.head = end if seek else max(self.head, end)
            self.bytes += charged
            self.seeks += 1 if seek else 0
            self.busy += cost
            self.write_stats()
            if self.trace:
                self.trace.write("%.3f %d %d %d %d %d %s\n" % (time.time(), start, length,
                                                               1 if seek else 0, file_offset, file_length, path))

    def deliver(self, path, start, end):
        """Notes a file's range as delivered; true when it had been already."""
        ranges = self.delivered.setdefault(path, [])
        for s, e in ranges:
            if s <= start and end <= e:
                return True
        merged = [start, end]
        kept = []
        for s, e in ranges:
            if e < merged[0] or s > merged[1]:
                kept.append((s, e))
            else:
                merged = [min(s, merged[0]), max(e, merged[1])]
        kept.append(tuple(merged))
        self.delivered[path] = kept
        return False

    def record(self, path, file_offset, file_length):
        """A read that costs nothing, only traced."""
        with self.lock:
            if self.trace:
                self.trace.write("%.3f -1 0 0 %d %d %s\n" % (time.time(), file_offset,
                                                             file_length, path))

    def write_stats(self):
        if not self.stats:
            return
        tmp = self.stats + ".tmp"
        with open(tmp, "w") as f:
            f.write("%d %d %.3f %d\n" % (self.bytes, self.seeks, self.busy, self.again))
        os.replace(tmp, self.stats)


class CdDrive(Operations):
    def __init__(self, tree, sectors, drive):
        self.tree = os.path.realpath(tree)
        self.sectors = sectors
        self.drive = drive

    def _real(self, path):
        return os.path.join(self.tree, path.lstrip("/"))

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as e:
            raise FuseOSError(e.errno)
        return {key: getattr(st, key) for key in ("st_mode", "st_nlink", "st_uid", "st_gid", "st_size",
                                                  "st_atime", "st_mtime", "st_ctime", "st_blocks")}

    def readdir(self, path, fh):
        try:
            return [".", ".."] + os.listdir(self._real(path))
        except OSError as e:
            raise FuseOSError(e.errno)

    def readlink(self, path):
        return os.readlink(self._real(path))

    def access(self, path, mode):
        if mode & os.W_OK:
            raise FuseOSError(errno.EROFS)
        if not os.access(self._real(path), mode):
            raise FuseOSError(errno.EACCES)

    def open(self, path, fi):
        if fi.flags & (os.O_WRONLY | os.O_RDWR | os.O_TRUNC | os.O_APPEND):
            raise FuseOSError(errno.EROFS)
        try:
            fi.fh = os.open(self._real(path), os.O_RDONLY)
        except OSError as e:
            raise FuseOSError(e.errno)
        # A disc does not change: what the kernel holds of a file stays valid
        # from one opening to the next, as with a mounted disc.
        fi.keep_cache = 1
        return 0

    def read(self, path, size, offset, fi):
        data = os.pread(fi.fh, size, offset)
        where = self.sectors.get(path) if self.sectors is not None else None
        if self.sectors is None and data:
            self.drive.record(path, offset, len(data))
        elif where and data:
            first, on_disc, file_size = where
            ratio = on_disc / file_size if file_size else 1.0
            start = first + int(offset * ratio)
            end = first + min(on_disc, int((offset + len(data)) * ratio + 0.999999))
            # The drive delivers whole sectors.
            start -= start % SECTOR
            end += -end % SECTOR
            self.drive.read(path, start, max(end - start, SECTOR), offset, len(data))
        return data

    def release(self, path, fi):
        os.close(fi.fh)
        return 0

    def statfs(self, path):
        st = os.statvfs(self.tree)
        return {"f_bsize": SECTOR, "f_frsize": SECTOR, "f_blocks": st.f_blocks, "f_bfree": 0,
                "f_bavail": 0, "f_files": st.f_files, "f_ffree": 0, "f_favail": 0, "f_namemax": 255}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("image")
    parser.add_argument("tree")
    parser.add_argument("mountpoint")
    parser.add_argument("--rate", type=float, default=3.6, help="MB/s (24x: 3.6, 52x: 7.8)")
    parser.add_argument("--seek-ms", type=float, default=100.0)
    parser.add_argument("--stats")
    parser.add_argument("--trace")
    a = parser.parse_args()
    drive = Drive(a.rate * 1e6, a.seek_ms / 1000.0, a.stats, a.trace)
    sectors = None if a.image == "-" else sector_map(a.image)
    if sectors is not None and not sectors:
        sys.exit("cd_drive: no files in " + a.image)
    # One request at a time, in the order the kernel queued them: a drive
    # reads the kernel's read-ahead of a file in order, where threads would
    # answer it out of order and charge a seek back for each.
    FUSE(CdDrive(a.tree, sectors, drive), a.mountpoint, foreground=True, nothreads=True, ro=True, allow_other=True,
         default_permissions=True, fsname="cd_drive", max_read=131072, raw_fi=True)


if __name__ == "__main__":
    main()
