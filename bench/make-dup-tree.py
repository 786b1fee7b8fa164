#!/usr/bin/env python3
"""Makes a tree for DupBench, the same for the same arguments (seeded).

    make-dup-tree.py DIR              about 100,000 files, about 2 GB, plus six files of 100 MiB
    make-dup-tree.py DIR --million    1,000,000 small files, for the memory figure

Copies of a content (2 to 4 of them) go under other names into other directories. About a
third of the contents also have a look-alike: as long, one byte changed, before or after the
first 4 KiB; some look-alikes are copied too, so a size holds two groups told apart late.
Other files have contents of their own, so many share a size with a file they do not equal.
The six large files are three pairs: one pair equal, two that differ only in their last byte.
"""
import argparse
import math
import os
import random

FIRST_BLOCK = 4096
BIG = 100 << 20


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--million", action="store_true")
    parser.add_argument("--seed", type=int, default=20261207)
    args = parser.parse_args()
    if args.million:
        files, dirs, groups, largest, big = 1_000_000, 100_000, 150_000, 2048, False
    else:
        files, dirs, groups, largest, big = 100_000, 5_000, 14_000, 224 << 10, True
    rng = random.Random(args.seed)

    # Ten directories below each, so paths run a few levels deep.
    paths = [args.root]
    for i in range(1, dirs):
        paths.append(os.path.join(paths[(i - 1) // 10], "d%d" % i))
    for p in paths:
        os.makedirs(p, exist_ok=True)

    exts = [".dat", ".txt", ".jpg", ".doc", ".bin", ".log", ""]
    made = [0, 0]  # files, bytes

    def write(data):
        n = made[0]
        name = "f%d%s" % (n, exts[n % len(exts)])
        with open(os.path.join(paths[rng.randrange(dirs)], name), "wb") as f:
            f.write(data)
        made[0] += 1
        made[1] += len(data)

    def size():
        # Log-uniform from a few bytes to `largest`: many small files, a few large ones.
        return int(math.exp(rng.uniform(math.log(3), math.log(largest))))

    def changed(data):
        # One byte different, in the first block for half of them and after it for the rest.
        at = rng.randrange(len(data))
        if len(data) > FIRST_BLOCK and rng.random() < 0.5:
            at = rng.randrange(FIRST_BLOCK, len(data))
        return data[:at] + bytes([data[at] ^ 0x5A]) + data[at + 1 :]

    copied = 0
    for g in range(groups):
        data = rng.randbytes(size())
        for _ in range(rng.randint(2, 4)):
            write(data)
        copied += 1
        if g % 3 == 0:
            other = changed(data)
            write(other)
            if g % 15 == 0:  # a look-alike with a copy of its own
                write(other)
                copied += 1
    # A few empty files: nothing to reclaim, never reported.
    for _ in range(10):
        write(b"")
    while made[0] < files:
        write(rng.randbytes(size()))

    if big:
        for pair in range(3):
            data = bytearray(rng.randbytes(BIG))
            write(data)
            if pair > 0:
                data[-1] ^= 0x01
            write(data)
        copied += 1
    print("%d files, %.2f GB, %d directories, %d groups of copies made (more may arise by chance "
          "among tiny files)" % (made[0], made[1] / 1e9, dirs, copied))


if __name__ == "__main__":
    main()
