# Sourced by the scripts: one Wine prefix in the build folder, created once.
BUILD=${BUILD:-build/mingw}
export WINEPREFIX=${WINEPREFIX:-$PWD/$BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# Wine maps the data tree's Arabic file names through the locale
export LANG=C.UTF-8
WINE=/usr/lib/wine/wine64    # the loader itself; Debian's wrapper only adds a hint

wine_prefix() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/.tapwise-ready" ]; then
        # Mono and Gecko installers are off only while the prefix is made
        env -u DISPLAY WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
            "$WINE" wineboot --init </dev/null >/dev/null 2>&1
        touch -d @0 "$WINEPREFIX/.tapwise-ready"
    fi
    # Wine's Marlett (see setup.sh) draws the caption buttons and scroll-bar arrows
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
        mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
    # the settings again whenever they changed since the prefix last took them
    if [ scripts/wine/settings.reg -nt "$WINEPREFIX/.tapwise-ready" ]; then
        env -u DISPLAY "$WINE" regedit /S scripts/wine/settings.reg </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tapwise-ready"
    fi
}

# Xvfb on a free display plus a warm Wine session; stopped by wine_session_stop.
wine_session_start() {
    XVFB_DISPLAY_FILE=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$XVFB_DISPLAY_FILE" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do [ -s "$XVFB_DISPLAY_FILE" ] && break; sleep 0.05; done
    export DISPLAY=:$(cat "$XVFB_DISPLAY_FILE")
    wineserver -p 2>/dev/null || true   # a server of this prefix may already be up
    # the desktop stays up for the whole run, detached from any pipe ctest reads
    "$WINE" "$BUILD/keepalive.exe" </dev/null >/dev/null 2>&1 &
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
    wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -f "${XVFB_DISPLAY_FILE:-}"
}
