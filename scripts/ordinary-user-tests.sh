#!/usr/bin/env bash
# Runs the tests that need an ordinary user under Wine: root writes through any permission, so
# a program folder the user may only read can only be shown as someone else. Creates the user
# "sorvane-tester" with a Wine prefix of its own, a read-only program folder owned by root, and
# writes the test report into the directory given as the first argument.
# Usage: ordinary-user-tests.sh <report directory> [gtest filter]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
reports=$1
filter=${2:-SettingsPlace*}
user=sorvane-tester
[ "$(id -u)" -eq 0 ] || { echo "ordinary-user tests need root to create their user" >&2; exit 1; }
id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user" || exit 1

# Everything the user runs or reads lies outside the checkout, which may not be theirs to read.
place=/tmp/sorvane-ordinary-user
rm -rf "$place"
mkdir -p "$place/bin" "$place/program/empty" "$place/program/with-file" "$place/reports"
cp build/win64/platform_tests.exe "$place/bin/"
printf '[Generaloptions]\r\nTipsHintTime=5\r\n' >"$place/program/with-file/$user.INI"
chmod -R a+rX,go-w "$place"
chown "$user" "$place/reports"

as_user() {
    runuser -u "$user" -- env HOME="/home/$user" WINEPREFIX="/home/$user/.sorvane-wine" \
        WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 DISPLAY= "$@"
}
[ -d "/home/$user/.sorvane-wine/drive_c" ] || as_user wineboot -i >/dev/null 2>&1
report="$place/reports/ordinary-user.xml"
as_user SORVANE_READONLY_DIR="Z:${place//\//\\}\\program" wine "$place/bin/platform_tests.exe" \
    --gtest_filter="$filter" --gtest_output="xml:Z:${report//\//\\}" >"$place/output.txt" 2>&1
status=$?
as_user wineserver -k >/dev/null 2>&1 || true
cp "$report" "$reports/" 2>/dev/null || status=1
[ "$status" -eq 0 ] || cat "$place/output.txt"
exit $status
