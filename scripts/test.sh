#!/usr/bin/env bash
# make test: installs what is missing, builds both presets, runs every test (engine on this
# machine with sanitizers; platform, window and end-to-end tests under Wine on a virtual
# display) and ends with one summary line. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh || exit 1
bash scripts/build.sh win64 host || exit 1

results="$root/build/test-results"
rm -rf "$results"
mkdir -p "$results/host" "$results/win64"
status=0

echo "== Engine tests on this machine (AddressSanitizer, UndefinedBehaviorSanitizer)"
GTEST_OUTPUT="xml:$results/host/" ctest --test-dir build/host --output-on-failure --timeout 600 || status=1

echo "== Windows tests under Wine"
source scripts/wine-env.sh
bash scripts/setup-wine-prefix.sh "$WINEPREFIX" "$root/build/wine-drives" || exit 1
start_virtual_display 800x600x24 || exit 1
# A Wine server left over from an earlier run serves the display it started with.
wineserver -k 2>/dev/null || true
export XDG_DATA_HOME="$root/build/test-xdg"
rm -rf "$XDG_DATA_HOME"
mkdir -p "$XDG_DATA_HOME"
wineserver -p
# Wine's own services start with the first program; start them here, away from the pipes
# through which ctest reads the tests' output.
wine cmd /c exit >/dev/null 2>&1 </dev/null
# A small file system for a settings write to meet a full disk. Where mounting is not allowed
# (no root, a container without the right), the test makes the write fail another way.
full_disk="$root/build/full-disk"
full_disk_mounted=0
mkdir -p "$full_disk"
if mount -t tmpfs -o size=1m,mode=0777 sorvane-full-disk "$full_disk" 2>/dev/null; then
    full_disk_mounted=1
    export SORVANE_FULL_DISK_DIR="Z:${full_disk//\//\\}"
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$SORVANE_XVFB_PID" 2>/dev/null || true
    if [ "$full_disk_mounted" = 1 ]; then umount "$full_disk" 2>/dev/null || true; fi
}
trap cleanup EXIT
# Wine takes the XML path as a Windows path; Z: is the Linux root.
GTEST_OUTPUT="xml:Z:${results//\//\\}\\win64\\" ctest --test-dir build/win64 --output-on-failure --timeout 600 || status=1

echo "== Window layout again on a 1920x1080 display at 144 dots per inch"
# A fresh server for the new display and the prefix's dots per inch, which are put back
# whatever happens, since make run uses the same prefix. Only the layout test runs here: the
# others check sizes on the 800x600 display.
source scripts/display-dpi.sh
wineserver -k 2>/dev/null || true
kill "$SORVANE_XVFB_PID" 2>/dev/null || true
start_virtual_display 1920x1080x24 || exit 1
trap 'restore_display_dpi; cleanup' EXIT
set_display_dpi 144
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
large_log="$results/win64/window_tests-1920x1080-144dpi.log"
if ! wine build/win64/window_tests.exe --gtest_filter='WindowLayout.*' \
    --gtest_output="xml:Z:${results//\//\\}\\win64\\window_tests-1920x1080-144dpi.xml" \
    >"$large_log" 2>&1 </dev/null; then
    cat "$large_log"
    status=1
fi
restore_display_dpi

echo "== The packages, and as an ordinary user under Wine: settings in a program folder the user"
echo "   cannot write, install, run, upgrade and uninstall"
bash scripts/package.sh >/dev/null || status=1
bash scripts/ordinary-user-tests.sh "$results/win64" || status=1

# One line for the whole run, from the per-executable reports; an executable that left no
# report (it crashed or hung) counts as one failure.
passed=0
failed=0
count_reports() {
    local dir=$1 expected=$2 n=0 f line tests failures errors disabled skipped
    for f in "$dir"/*.xml; do
        [ -e "$f" ] || continue
        n=$((n + 1))
        line=$(grep -m1 '<testsuites ' "$f")
        tests=$(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$line")
        failures=$(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$line")
        errors=$(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$line")
        disabled=$(sed -E 's/.* disabled="([0-9]+)".*/\1/' <<<"$line")
        skipped=$(grep -c '<skipped' "$f")
        passed=$((passed + tests - failures - errors - disabled - skipped))
        failed=$((failed + failures + errors))
    done
    [ "$n" -lt "$expected" ] && failed=$((failed + expected - n))
}
count_reports "$results/host" "$(ctest --test-dir build/host -N | grep -c 'Test *#')"
# One report per ctest entry, one of the layout pass on the large display and five of the
# ordinary user's steps.
count_reports "$results/win64" "$(($(ctest --test-dir build/win64 -N | grep -c 'Test *#') + 6))"
[ "$failed" -gt 0 ] && status=1
echo "tests: $passed passed, $failed failed"
exit $status
