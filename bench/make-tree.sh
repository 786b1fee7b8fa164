#!/usr/bin/env bash
# Makes a tree for ScanBench: DIRS directories (ten per parent) holding FILES files in all.
#   make-tree.sh DIR [FILES] [DIRS]      defaults 200000 and 20000
set -euo pipefail
root=$1
files=${2:-200000}
dirs=${3:-20000}
python3 - "$root" "$files" "$dirs" <<'PY'
import os, sys
root, files, dirs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
paths = [root]
for i in range(1, dirs):
    paths.append(os.path.join(paths[(i - 1) // 10], "d%d" % i))
for p in paths:
    os.makedirs(p, exist_ok=True)
exts = [".tmp", ".log", ".txt", ".bak", ".dat", ""]
for i in range(files):
    with open(os.path.join(paths[i % dirs], "f%d%s" % (i, exts[i % len(exts)])), "wb") as f:
        f.write(b"x" * (i % 1000))
PY
