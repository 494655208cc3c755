# A private Wine prefix under build/.
# shellcheck shell=bash

# create_wine_prefix DIR: a fresh prefix with the fonts that Wine ships but does not look
# for outside the prefix (Tahoma, MS Shell Dlg and friends).
create_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    log "creating Wine prefix $WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine64_loader" wineboot -i >/dev/null 2>&1
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Keeps one wineserver, and Wine's own services, for the whole run instead of one per
# program start. The services are started here, away from ctest's output pipes, which
# they would otherwise hold open after the first test exe ends.
start_wineserver() {
    wineserver -p
    "$wine64_loader" cmd /c exit >/dev/null 2>&1 </dev/null
}
stop_wineserver() { wineserver -k 2>/dev/null || true; }
