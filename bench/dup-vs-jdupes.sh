#!/usr/bin/env bash
# Find Duplicate Files against jdupes on one tree, in one run under one Wine, best of three
# each with a warm cache: times and their ratio, the groups of both compared, the bytes read
# against what may be read, the peak working set and the longest wait for events. The rounds
# of the two alternate, so that other work on the machine weighs on both alike.
#   bench/dup-vs-jdupes.sh TREE [MEMORY_LIMIT_MIB]      (a tree from bench/make-dup-tree.py)
# MEMORY_LIMIT_MIB is 200 by default; 600 for the tree of a million files. DUPBENCH names
# another build of the bench to measure (build/win64/DupBench.exe by default).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$(cd "$1" && pwd)
limit=${2:-200}
jdupes=/work/shared/peers/jdupes/jdupes.exe
dupbench=${DUPBENCH:-build/win64/DupBench.exe}
source scripts/wine-env.sh
out=$(mktemp -d /tmp/dupbench.XXXXXX)
winpath="Z:${tree//\//\\}"

# The bench's platform makes windows: a virtual display when there is none.
[ -n "${DISPLAY:-}" ] || start_virtual_display >/dev/null
wineserver -p
trap 'wineserver -k 2>/dev/null || true; [ -z "${SORVANE_XVFB_PID:-}" ] || kill "$SORVANE_XVFB_PID"' EXIT
# Wine's output through a pipe can hang: everything goes to files.
wine cmd /c exit > /dev/null 2>&1  # the prefix and the server are up before anything is timed
best=""
for round in 1 2 3; do
    start=$EPOCHREALTIME
    wine "$jdupes" -r -q "$winpath" > "$out/jdupes-$round.txt" 2> "$out/jdupes-$round.err"
    took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
    echo "jdupes round $round: $took s"
    if [ -z "$best" ] || awk -v t="$took" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$took; fi
    wine "$dupbench" "$winpath" 1 "$out/sorvane-$round.txt" \
        > "$out/dupbench-$round.txt" 2>&1
    sed "s/^round 1/Sorvane round $round/" "$out/dupbench-$round.txt" | grep -v '^RESULT'
done
echo "jdupes best of 3: $best s"

python3 - "$out" "$best" "$limit" <<'PY'
import sys
out, jdupes_best, limit = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])

def groups(path, encoding):
    # Case-folded paths, sorted within each group, the groups sorted.
    sets, current = [], []
    with open(path, encoding=encoding, errors="replace") as f:
        for line in f.read().splitlines():
            line = line.strip()
            if line:
                current.append(line.lower())
            elif current:
                sets.append(sorted(current))
                current = []
    if current:
        sets.append(sorted(current))
    return sorted(sets)

theirs = groups(out + "/jdupes-1.txt", "utf-8")
ours = groups(out + "/sorvane-1.txt", "utf-8")
same = all(groups(out + "/sorvane-%d.txt" % r, "utf-8") == theirs and
           groups(out + "/jdupes-%d.txt" % r, "utf-8") == theirs for r in (1, 2, 3))
print("groups: Sorvane %d, jdupes %d, %s in every round" % (len(ours), len(theirs),
      "the same" if same else "NOT the same"))
if not same:
    a, b = set(map(tuple, ours)), set(map(tuple, theirs))
    for g in sorted(a - b)[:5]:
        print("  only Sorvane:", list(g))
    for g in sorted(b - a)[:5]:
        print("  only jdupes:", list(g))

rounds = []
for r in (1, 2, 3):
    for line in open(out + "/dupbench-%d.txt" % r):
        if line.startswith("RESULT "):
            rounds.append(dict(kv.split("=") for kv in line.split()[1:]))
# The best time; the worst of every other figure.
seconds = min(float(f["seconds"]) for f in rounds)
read = max(int(f["read"]) for f in rounds)
bound = int(rounds[0]["bound"])
gap = max(float(f["gap_ms"]) for f in rounds)
peak = max(float(f["peak_mib"]) for f in rounds)
ratio = seconds / jdupes_best
checks = [
    ("time Sorvane / jdupes: %.2f s / %.2f s = %.2f (1 or less)" % (seconds, jdupes_best, ratio),
     ratio <= 1),
    ("bytes read / bound: %d / %d = %.3f (1 or less)" % (read, bound, read / bound), read <= bound),
    ("peak working set: %.1f MiB (under %d)" % (peak, limit), peak < limit),
    ("longest gap between event turns: %.1f ms (50 or less)" % gap, gap <= 50),
    ("same groups as jdupes", same),
]
for text, ok in checks:
    print(("ok    " if ok else "MISSED") + "  " + text)
print("outputs in " + out)
sys.exit(0 if all(ok for _, ok in checks) else 1)
PY
