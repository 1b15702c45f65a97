# Shared by demo.sh and test.sh: package set-up, the two builds and a
# throwaway Wine session. Source it; it changes nothing until called.

NETPREP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NETPREP_BUILD=${NETPREP_BUILD:-$NETPREP_ROOT/build}
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

NETPREP_PACKAGES=(cmake ninja-build googletest wine wine64 wine64-tools
                  g++-mingw-w64-i686 g++-mingw-w64-x86-64 xvfb xauth e2fsprogs)

log() { printf '==> %s\n' "$*"; }

# Installs the Debian packages that are missing. Needs root (or sudo).
ensure_packages() {
    local missing=()
    for pkg in "${NETPREP_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Builds the 32-bit deliverable and the 64-bit DLL (with the tests when
# asked: build_all tests).
build_all() {
    local tests=OFF
    [ "${1:-}" = tests ] && tests=ON
    log "building the 32-bit netprep.dll"
    cmake -S "$NETPREP_ROOT" -B "$NETPREP_BUILD/i686" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$NETPREP_ROOT/cmake/toolchain-i686.cmake" >/dev/null
    cmake --build "$NETPREP_BUILD/i686"
    log "building the 64-bit netprep.dll (tests: $tests)"
    cmake -S "$NETPREP_ROOT" -B "$NETPREP_BUILD/x64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$NETPREP_ROOT/cmake/toolchain-x86_64.cmake" \
        -DNETPREP_TESTS=$tests -DNETPREP_DLL32="$NETPREP_BUILD/i686/bin/netprep.dll" >/dev/null
    cmake --build "$NETPREP_BUILD/x64"
}

# Starts an X server and a Wine prefix of our own inside the build tree.
# Every run gets a fresh prefix; wine_session_stop removes it again.
wine_session_start() {
    export WINEPREFIX="$NETPREP_BUILD/wineprefix.$$"
    export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"

    local fdfile="$NETPREP_BUILD/xvfb-display.$$"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    NETPREP_XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"

    # A persistent server, and a boot with stdio detached, so that the
    # services Wine starts do not hold a test runner's pipes open.
    "$WINESERVER" -p
    "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
    local reg
    for reg in "$NETPREP_ROOT"/tests/support/prefix.reg "$NETPREP_ROOT"/tests/*/prefix.reg; do
        [ -f "$reg" ] && "$WINE64" regedit /S "$(winepath_of "$reg")" </dev/null >/dev/null 2>&1
    done
    if [ -x "$NETPREP_BUILD/x64/bin/keepalive.exe" ]; then
        "$WINE64" "$NETPREP_BUILD/x64/bin/keepalive.exe" </dev/null >/dev/null 2>&1 &
    fi
    trap wine_session_stop EXIT
}

wine_session_stop() {
    "$WINESERVER" -k 2>/dev/null
    [ -n "${NETPREP_XVFB_PID:-}" ] && kill "$NETPREP_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && rm -rf "$WINEPREFIX"
    trap - EXIT
}

# The Windows path of a Unix file (Wine maps Z: to /).
winepath_of() { printf 'Z:%s' "$(realpath "$1" | sed 's|/|\\|g')"; }

# Runs a Windows program of the build under Wine.
wine_run() { "$WINE64" "$@"; }
