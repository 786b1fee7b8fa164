#!/usr/bin/env bash
# The tests that need an ordinary user under Wine: root writes through any permission, so a
# program folder the user may only read can only be shown as someone else. Creates the user
# "sorvane-tester" with a Wine prefix of its own, as new on every run, and a display it may
# use, then runs:
#  1. the settings place in a read-only program folder, and the silent setup;
#  2. the installed program with its folder made read-only for the user, as Program Files is
#     for a standard user on Windows;
#  3. an upgrade over a running copy, and the uninstaller;
#  4. the portable zip's content.
# Each step leaves one test report in the directory given as the first argument.
# Usage: ordinary-user-tests.sh <report directory>   (after scripts/package.sh)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
reports=$1
user=sorvane-tester
version=$(sed -nE 's/^project\(Sorvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
setup="build/packages/Sorvane-$version-setup.exe"
zip="build/packages/Sorvane-$version-portable.zip"
if [ "$(id -u)" -ne 0 ]; then
    # Making a user and running as them takes root.
    sudo -n true 2>/dev/null && exec sudo -n bash "$0" "$@"
    echo "ordinary-user tests need root (or sudo) to create their user" >&2
    exit 1
fi
id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user" || exit 1
home=$(getent passwd "$user" | cut -d: -f6)
prefix="$home/.sorvane-wine"
installed="$prefix/drive_c/Program Files/Sorvane"

# Everything the user runs or reads lies outside the checkout, which may not be theirs to read.
place=/tmp/sorvane-ordinary-user
rm -rf "$place"
mkdir -p "$place/bin" "$place/program/empty" "$place/program/with-file" "$place/reports"
cp build/win64/platform_tests.exe build/win64/e2e_tests.exe "$setup" "$place/bin/"
printf '[Generaloptions]\r\nTipsHintTime=5\r\n' >"$place/program/with-file/$user.INI"
chmod -R a+rX,go-w "$place"
chown "$user" "$place/reports"

# A display of its own that the user may open.
for n in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

as_user() {
    runuser -u "$user" -- env HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 DISPLAY=":$n" \
        SORVANE_READONLY_DIR="Z:${place//\//\\}\\program" \
        SORVANE_SETUP="Z:${place//\//\\}\\bin\\$(basename "$setup")" "$@"
}
finish() {
    as_user wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT

# Every run starts from a prefix as wineboot makes it: what an earlier run installed must not
# help this one. Making one takes longer than the tests, so the first run keeps a pristine copy
# (root's alone, beside the prefix) with a stamp of what made it, and later runs copy it back
# while the stamp still matches. Whatever a run does happens in the copy; the pristine one is
# put in place only once complete, so an interrupted run leaves either none or a whole one.
pristine="$home/.sorvane-wine-pristine"
stamp=$(
    sha256sum <scripts/ordinary-user-tests.sh
    wine --version 2>/dev/null
    dpkg-query -W -f='${Package} ${Version}\n' wine64 libwine 2>/dev/null
    echo "$(id -u "$user") $home"
)
as_user wineserver -k >/dev/null 2>&1 || true
rm -rf "$prefix"
if [ -f "$pristine/stamp" ] && [ "$(cat "$pristine/stamp")" = "$stamp" ] && [ ! -e "$prefix" ] &&
    cp -a "$pristine/prefix" "$prefix" && [ ! -e "$installed" ] &&
    [ ! -e "$prefix/drive_c/users/$user/AppData/Roaming/Sorvane" ]; then
    echo "Reusing the ordinary user's pristine Wine prefix"
else
    rm -rf "$prefix" "$pristine" "$pristine.new"
    # The registry is on disk once the server has gone.
    as_user wineboot -i >/dev/null 2>&1 && as_user wineserver -w && [ -f "$prefix/system.reg" ] &&
        mkdir -m 700 "$pristine.new" && cp -a "$prefix" "$pristine.new/prefix" &&
        printf '%s\n' "$stamp" >"$pristine.new/stamp" && mv "$pristine.new" "$pristine"
fi
as_user wineserver -p

status=0
step() {  # name, program, gtest filter
    local report="$place/reports/ordinary-user-$1.xml"
    if ! as_user wine "$place/bin/$2" 'C:\Program Files\Sorvane\Sorvane.exe' \
        --gtest_filter="$3" --gtest_output="xml:Z:${report//\//\\}" \
        >"$place/$1.txt" 2>&1 </dev/null; then
        cat "$place/$1.txt"
        status=1
    fi
    cp "$report" "$reports/" 2>/dev/null || status=1
}
step 1-install e2e_tests.exe 'Install.Silent*'
step 1-settings platform_tests.exe 'SettingsPlace.*'
chmod a-w "$installed"
step 2-run e2e_tests.exe 'Install.TheInstalled*'
chmod u+w "$installed" 2>/dev/null
step 3-uninstall e2e_tests.exe 'Install.AnUpgrade*'

# The portable zip: the program, its help file and the readme in one folder, nothing else.
listed=$(unzip -Z1 "$zip" 2>/dev/null | sort | tr '\n' ' ')
expected="Sorvane/Sorvane.chm Sorvane/Sorvane.exe Sorvane/readme.txt "
failures=0
if [ "$listed" != "$expected" ]; then
    echo "portable zip holds: $listed; expected: $expected"
    failures=1
    status=1
fi
printf '<?xml version="1.0"?>\n<testsuites tests="1" failures="%d" disabled="0" errors="0" name="PortableZip">\n</testsuites>\n' \
    "$failures" >"$reports/ordinary-user-4-zip.xml"
exit $status
