#!/usr/bin/env bash
# make bench: builds the bench programs, makes the trees they need (kept for the next run),
# runs each bench under Wine and ends with one table: what was measured, on what, against what,
# both times, their ratio, the peak working set and the longest wait between event turns.
#   SIZE=quick (the default) about 30 minutes on a busy 2-core machine, some 10 more the first
#              time to make the trees; SIZE=full the large sizes (a million files, 5,000
#              shortcuts, three rounds against jdupes), hours.
#   ONLY="grid scan dir shortcut dup dup1m history" runs only the benches named (dup1m, the million small
#              files, is part of SIZE=full only unless named).
#   BENCH_TREES=/tmp/sorvane-bench where the trees are kept (about 3 GB; some 10 GB more for full).
# Each bench's whole output goes to build/bench/<name>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
size=${SIZE:-quick}
trees=${BENCH_TREES:-/tmp/sorvane-bench}
logs="$root/build/bench"
case "$size" in
    quick) only=${ONLY:-grid scan dir shortcut dup history} ;;
    full) only=${ONLY:-grid scan dir shortcut dup dup1m history} ;;
    *) echo "SIZE is quick or full, not $size" >&2; exit 2 ;;
esac
wants() { [[ " $only " == *" $1 "* ]]; }
began=$SECONDS

bash scripts/deps.sh
[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$(nproc)" --target GridBench ScanBench DirBench ShortcutBench DupBench HistoryBench
mkdir -p "$trees" "$logs"

source scripts/wine-env.sh
bash scripts/setup-wine-prefix.sh "$WINEPREFIX" "$root/build/wine-drives" >/dev/null
# The benches make windows: a virtual display of their own.
start_virtual_display 1024x768x24
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true; kill "$SORVANE_XVFB_PID" 2>/dev/null || true' EXIT
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

# Makes a tree once: a tree cut short by a stop is made again.
tree() {
    local dir=$1
    shift
    [ -e "$dir.done" ] && return 0
    rm -rf "$dir"
    echo "making $dir"
    "$@"
    touch "$dir.done"
}
# Runs one bench under Wine, its output to its log (Wine's output through a pipe can hang).
run() {
    local name=$1
    shift
    echo "== $name: $*"
    local start=$SECONDS
    ran+=("$logs/$name.log")
    "$@" >"$logs/$name.log" 2>&1 </dev/null || echo "   $name ended with an error: see $logs/$name.log"
    grep -v '^TABLE|' "$logs/$name.log" | grep -i 'ratio\|= \|longest gap\|peak\|ok \|MISSED' | sed 's/^/   /' || true
    echo "   ($((SECONDS - start)) s)"
}
win() { echo "Z:${1//\//\\}"; }
ran=()

if [ "$size" = full ]; then
    rows=1000000 files=1000000 dirs=100000 rounds=1 cleaned=100000 shortcuts=5000 dup_rounds=3
else
    rows=500000 files=200000 dirs=20000 rounds=3 cleaned=20000 shortcuts=1000 dup_rounds=1
fi
scantree="$trees/tree-$files"

if wants grid; then
    run grid wine build/win64/GridBench.exe "$rows" 200
fi
if wants scan || wants dir; then
    tree "$scantree" bash bench/make-tree.sh "$scantree" "$files" "$dirs"
fi
if wants scan; then
    run scan wine build/win64/ScanBench.exe "$(win "$scantree")" "$rounds"
fi
if wants dir; then
    # Wine's recycle bin is the freedesktop trash under XDG_DATA_HOME: a scratch one here.
    rm -rf "$trees/dirclean" "$trees/trash"
    mkdir -p "$trees/trash"
    XDG_DATA_HOME="$trees/trash" run dir wine build/win64/DirBench.exe \
        "$(win "$scantree")" "$(win "$trees/dirclean")" "$rounds" "$cleaned"
    rm -rf "$trees/dirclean" "$trees/trash"
fi
if wants shortcut; then
    # Kept between runs: making them takes about a minute per 500 under Wine.
    run shortcut wine build/win64/ShortcutBench.exe "$(win "$trees/shortcuts-$shortcuts")" \
        "$rounds" "$shortcuts"
fi
if wants dup; then
    tree "$trees/dup100k" python3 bench/make-dup-tree.py "$trees/dup100k"
    # Against jdupes: a Windows build under the same Wine when one is named (JDUPES) or lies in
    # the peers' folder of this workplace, else Debian's package.
    jdupes=${JDUPES:-}
    peer=/work/shared/peers/jdupes/jdupes.exe
    [ -n "$jdupes" ] || [ ! -x "$peer" ] || jdupes=$peer
    if [ -z "$jdupes" ] && ! command -v jdupes >/dev/null; then
        echo "installing Debian's jdupes for the comparison"
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        { $sudo apt-get update -qq && $sudo apt-get install -y -qq jdupes; } >/dev/null 2>&1 || true
    fi
    jdupes=${jdupes:-$(command -v jdupes || true)}
    if [ -n "$jdupes" ]; then
        JDUPES=$jdupes run dup bash bench/dup-vs-jdupes.sh "$trees/dup100k" 200 "$dup_rounds"
    else
        echo "== dup: jdupes is not installed and could not be (apt-get install jdupes):"
        echo "   Find Duplicate Files measured against its floor only"
        run dup wine build/win64/DupBench.exe "$(win "$trees/dup100k")" "$dup_rounds"
    fi
fi
if wants dup1m; then
    tree "$trees/dup1m" python3 bench/make-dup-tree.py "$trees/dup1m" --million
    run dup1m wine build/win64/DupBench.exe "$(win "$trees/dup1m")" 1
fi
if wants history; then
    # Its own scratch folder, emptied as it goes: the clean rounds make and remove their files.
    mkdir -p "$trees/history"
    run history wine build/win64/HistoryBench.exe "$(win "$trees/history")" "$rounds"
fi

echo
echo "Sorvane under $(wine --version 2>/dev/null), $(nproc) cores, size $size, $(date -u '+%Y-%m-%d %H:%M UTC'), $(((SECONDS - began) / 60)) min"
{
    echo "Measured|On|Against|Sorvane|Baseline|Ratio|Peak memory|Longest wait"
    cat "${ran[@]}" | grep '^TABLE|' | cut -d'|' -f2-
} | python3 -c '
import sys
rows = [line.rstrip("\n").split("|") for line in sys.stdin]
widths = [max(len(r[c]) for r in rows if c < len(r)) for c in range(len(rows[0]))]
for r in rows:
    print("  ".join(cell.ljust(w) for cell, w in zip(r, widths)).rstrip())
'
