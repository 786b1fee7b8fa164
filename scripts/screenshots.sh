#!/usr/bin/env bash
# Photographs Clean Drive(s), Find Duplicate Files, Cleaning History, General Options, the tray
# menu and the drive pop-up, with a few results, on a 1920x1080 virtual display into
# docs/images/. Usage: scripts/screenshots.sh [dots per inch, 96]
set -euo pipefail
cd "$(dirname "$0")/.."
dpi="${1:-96}"
bash scripts/build.sh win64 >/dev/null
source scripts/wine-env.sh
bash scripts/setup-wine-prefix.sh "$WINEPREFIX" "$PWD/build/wine-drives" >/dev/null
source scripts/display-dpi.sh
wineserver -k 2>/dev/null || true
start_virtual_display 1920x1080x24
set_display_dpi "$dpi"
trap 'restore_display_dpi; wineserver -k 2>/dev/null || true; kill "$SORVANE_XVFB_PID" 2>/dev/null || true' EXIT
wineserver -p
mkdir -p docs/images
# The program says where each window is while it holds it on screen.
wine build/win64/Screenshots.exe 2>/dev/null | while read -r tag name x y w h; do
    [ "$tag" = SHOT ] || continue
    sleep 1
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "docs/images/$name.png"
    echo "docs/images/$name.png"
done
