#!/usr/bin/env bash
# Prepares a Wine prefix for the platform tests: initialises it when needed and gives it the
# drives the drive tests expect. Safe to run again on a prepared prefix.
#
#   A:  floppy with a disk      (a directory under WORKDIR)
#   B:  floppy without a disk   (a link to a directory that does not exist)
#   D:  CD-ROM with a disc      (a directory under WORKDIR)
#   E:  CD-ROM without a disc   (a link to a directory that does not exist)
#
# WORKDIR/links holds a directory with a link back to its parent, for the scans.
#
# Windows are left unmanaged: with no window manager on the test display, hiding a managed
# window waits two seconds for a window manager that never answers.
#
# Usage: setup-wine-prefix.sh PREFIX WORKDIR
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PREFIX WORKDIR" >&2
    exit 2
fi

prefix=$(realpath -m -- "$1")
workdir=$(realpath -m -- "$2")

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts during initialisation.
export WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p -- "$prefix" "$workdir/floppy" "$workdir/cdrom"
# The "no medium" drives point here, so it must never exist.
no_medium="$workdir/no-medium"
if [ -e "$no_medium" ] || [ -L "$no_medium" ]; then
    echo "$no_medium must not exist: the empty drives point at it" >&2
    exit 1
fi

if [ ! -f "$prefix/system.reg" ]; then
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
fi

# Wine links the profile's Desktop, Documents and the like to the Linux home. The program's
# Desktop is scanned for shortcuts, so give the prefix folders of its own: tests must never walk
# or touch the home directory.
for folder in "$prefix"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$folder" ]; then
        rm -f -- "$folder"
        mkdir -p -- "$folder"
    fi
done

# A directory holding a link back to its own parent, as junctions and symbolic links can on
# Windows: scans must not follow it round.
mkdir -p -- "$workdir/links/sub"
: >"$workdir/links/sub/file.txt"
ln -sfn -- .. "$workdir/links/sub/up"

dosdevices="$prefix/dosdevices"
mkdir -p -- "$dosdevices"
ln -sfn -- "$workdir/floppy" "$dosdevices/a:"
ln -sfn -- "$no_medium" "$dosdevices/b:"
ln -sfn -- "$workdir/cdrom" "$dosdevices/d:"
ln -sfn -- "$no_medium" "$dosdevices/e:"

# One registry import instead of one process per value.
regfile=$(mktemp --suffix=.reg)
trap 'rm -f -- "$regfile"' EXIT
printf '%s\r\n' \
    'REGEDIT4' \
    '' \
    '[HKEY_LOCAL_MACHINE\Software\Wine\Drives]' \
    '"a:"="floppy"' \
    '"b:"="floppy"' \
    '"d:"="cdrom"' \
    '"e:"="cdrom"' \
    '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
    '"Managed"="N"' \
    '' >"$regfile"
wine regedit /S "$(winepath -w "$regfile" 2>/dev/null)" >/dev/null 2>&1

# Drive types are read when the server starts: stop it so the next process sees them.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
