#!/usr/bin/env bash
# make run: installs what is missing, builds the program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh win64
source scripts/wine-env.sh
[ -d "$WINEPREFIX/drive_c" ] || { echo "Preparing the Wine prefix (first run only)..."; wineboot -i >/dev/null 2>&1 || true; }

if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display 1024x768x24
    trap 'kill "$SORVANE_XVFB_PID" 2>/dev/null || true' EXIT
    cat <<TXT
No display was set, so Sorvane runs on the virtual display $DISPLAY.
Look at it with:   DISPLAY=$DISPLAY import -window root sorvane.png
or drive it with:  DISPLAY=$DISPLAY xdotool ...
The tray icon is in the small "Wine System Tray" window at the top left. Stop with Ctrl+C.
TXT
fi
echo "Starting Sorvane (its settings file is build/win64/$(id -un).INI)."
wine build/win64/Sorvane.exe
