# Sourced after wine-env.sh: sets the dots per inch of the Wine prefix's display and puts the
# value that was there back afterwards (make run uses the same prefix).
SORVANE_DPI_KEY='HKCU\Control Panel\Desktop'
SORVANE_DPI_SAVED=""

set_display_dpi() {
    SORVANE_DPI_SAVED=$({ wine reg query "$SORVANE_DPI_KEY" /v LogPixels 2>/dev/null || true; } |
        sed -nE 's/.*LogPixels +REG_DWORD +0x([0-9a-fA-F]+).*/\1/p' | tr -d '\r')
    SORVANE_DPI_SAVED=${SORVANE_DPI_SAVED:-none}
    wine reg add "$SORVANE_DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    # The server reads it when it starts.
    wineserver -k 2>/dev/null || true
}

restore_display_dpi() {
    [ -n "$SORVANE_DPI_SAVED" ] || return 0
    wineserver -k 2>/dev/null || true
    if [ "$SORVANE_DPI_SAVED" = none ]; then
        wine reg delete "$SORVANE_DPI_KEY" /v LogPixels /f >/dev/null 2>&1 || true
    else
        wine reg add "$SORVANE_DPI_KEY" /v LogPixels /t REG_DWORD /d "$((16#$SORVANE_DPI_SAVED))" \
            /f >/dev/null 2>&1 || true
    fi
    wineserver -k 2>/dev/null || true
    SORVANE_DPI_SAVED=""
}
