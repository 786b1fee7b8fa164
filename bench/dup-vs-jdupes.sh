#!/usr/bin/env bash
# Find Duplicate Files against jdupes on one tree, in one run, best of ROUNDS each with a warm
# cache: times and their ratio, the floor of a reader of one file at a time (from DupBench), the
# groups of both compared, the bytes read against what may be read, the peak working set and the
# longest wait for events. The rounds of the two alternate, so that other work on the machine
# weighs on both alike.
#   bench/dup-vs-jdupes.sh TREE [MEMORY_LIMIT_MIB] [ROUNDS]   (a tree from bench/make-dup-tree.py)
# MEMORY_LIMIT_MIB is 200 by default; 600 for the tree of a million files. ROUNDS is 3.
# JDUPES names the jdupes to measure against: a Windows build (jdupes.exe) runs under the same
# Wine as Sorvane, which is the fair comparison; otherwise the `jdupes` of this system (Debian's
# package) runs natively, without Wine's cost, and the table says so. DUPBENCH names another build
# of the bench to measure (build/win64/DupBench.exe by default).
# Prints the rows of scripts/bench.sh's table as lines starting with TABLE|.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$(cd "$1" && pwd)
limit=${2:-200}
rounds=${3:-3}
jdupes=${JDUPES:-$(command -v jdupes || true)}
dupbench=${DUPBENCH:-build/win64/DupBench.exe}
if [ -z "$jdupes" ] || [ ! -x "$jdupes" ]; then
    echo "no jdupes to compare with: set JDUPES or install Debian's jdupes" >&2
    exit 2
fi
source scripts/wine-env.sh
out=$(mktemp -d /tmp/dupbench.XXXXXX)
winpath="Z:${tree//\//\\}"
case "$jdupes" in
    *.exe) under_wine=1 ;;
    *) under_wine=0 ;;
esac

# The bench's platform makes windows: a virtual display when there is none.
started_display=""
if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display >/dev/null
    started_display=$SORVANE_XVFB_PID
fi
wineserver -p 2>/dev/null || true  # one may be running already
trap '[ -z "$started_display" ] || { wineserver -k 2>/dev/null; kill "$started_display"; } || true' EXIT
# Wine's output through a pipe can hang: everything goes to files.
wine cmd /c exit > /dev/null 2>&1 < /dev/null  # the prefix and the server are up before anything is timed
if [ "$under_wine" = 1 ]; then
    jdupes_name="jdupes $(wine "$jdupes" -v 2>/dev/null < /dev/null | awk 'NR == 1 { print $2 }') (same Wine)"
else
    jdupes_name="jdupes $("$jdupes" -v 2>/dev/null | awk 'NR == 1 { print $2 }') (Linux, no Wine)"
fi
best=""
for round in $(seq "$rounds"); do
    start=$EPOCHREALTIME
    if [ "$under_wine" = 1 ]; then
        wine "$jdupes" -r -q "$winpath" > "$out/jdupes-$round.txt" 2> "$out/jdupes-$round.err" < /dev/null
    else
        "$jdupes" -r -q "$tree" > "$out/jdupes-$round.txt" 2> "$out/jdupes-$round.err"
    fi
    took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
    echo "jdupes round $round: $took s"
    if [ -z "$best" ] || awk -v t="$took" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$took; fi
    wine "$dupbench" "$winpath" 1 "$out/sorvane-$round.txt" \
        > "$out/dupbench-$round.txt" 2>&1 < /dev/null
    sed "s/^round 1/Sorvane round $round/" "$out/dupbench-$round.txt" | grep -v '^RESULT\|^TABLE\|^SIZE'
done
echo "$jdupes_name best of $rounds: $best s"

python3 - "$out" "$best" "$limit" "$rounds" "$jdupes_name" <<'PY'
import sys
out, jdupes_best, limit, rounds, jdupes_name = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4]), sys.argv[5]

def groups(path):
    # Case-folded Windows paths (a Linux path /x as Z:\x), sorted within each group, the
    # groups sorted.
    sets, current = [], []
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f.read().splitlines():
            line = line.strip()
            if line:
                if line.startswith("/"):
                    line = "z:" + line.replace("/", "\\")
                current.append(line.lower())
            elif current:
                sets.append(sorted(current))
                current = []
    if current:
        sets.append(sorted(current))
    return sorted(sets)

theirs = groups(out + "/jdupes-1.txt")
ours = groups(out + "/sorvane-1.txt")
same = all(groups(out + "/sorvane-%d.txt" % r) == theirs and
           groups(out + "/jdupes-%d.txt" % r) == theirs for r in range(1, rounds + 1))
print("groups: Sorvane %d, jdupes %d, %s in every round" % (len(ours), len(theirs),
      "the same" if same else "NOT the same"))
if not same:
    a, b = set(map(tuple, ours)), set(map(tuple, theirs))
    for g in sorted(a - b)[:5]:
        print("  only Sorvane:", list(g))
    for g in sorted(b - a)[:5]:
        print("  only jdupes:", list(g))

results, size = [], ""
for r in range(1, rounds + 1):
    for line in open(out + "/dupbench-%d.txt" % r):
        if line.startswith("RESULT "):
            results.append(dict(kv.split("=") for kv in line.split()[1:]))
        elif line.startswith("SIZE "):
            size = line[5:].strip()
# The best times; the worst of every other figure.
seconds = min(float(f["seconds"]) for f in results)
floor = min(float(f["floor"]) for f in results)
read = max(int(f["read"]) for f in results)
bound = int(results[0]["bound"])
gap = max(float(f["gap_ms"]) for f in results)
peak = max(float(f["peak_mib"]) for f in results)
ratio = seconds / jdupes_best
checks = [
    ("time Sorvane / %s: %.2f s / %.2f s = %.2f (1 or less)" % (jdupes_name, seconds, jdupes_best,
                                                                ratio), ratio <= 1),
    ("time Sorvane / floor: %.2f s / %.2f s = %.2f" % (seconds, floor, seconds / floor), True),
    ("bytes read / bound: %d / %d = %.3f (1 or less)" % (read, bound, read / bound), read <= bound),
    ("peak working set: %.1f MiB (under %d)" % (peak, limit), peak < limit),
    ("longest gap between event turns: %.1f ms (50 or less)" % gap, gap <= 50),
    ("same groups as jdupes", same),
]
for text, ok in checks:
    print(("ok    " if ok else "MISSED") + "  " + text)
measure = "Find Duplicate Files, content only" + ("" if same else " (GROUPS DIFFER)")
for against, theirs_s in ((jdupes_name + " -r -q", jdupes_best),
                          ("floor: walk + open, read, close of each", floor)):
    print("TABLE|%s|%s|%s|%.2f s|%.2f s|%.2f|%.0f MiB|%.0f ms" % (
        measure, size, against, seconds, theirs_s, seconds / theirs_s, peak, gap))
print("outputs in " + out)
sys.exit(0 if all(ok for _, ok in checks) else 1)
PY
