# Shared by the start and test commands. Sourced, not run.

DATAVIND_TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Every line says how long the run has taken so far, in the scripts it calls too.
export DATAVIND_RUN_START=${DATAVIND_RUN_START:-$(date +%s)}
say() {
    local t=$(($(date +%s) - DATAVIND_RUN_START))
    printf '\033[1m==> [%d:%02d] %s\033[0m\n' $((t / 60)) $((t % 60)) "$*"
}

# Installs the Debian packages of scripts/packages.txt that are missing,
# through sudo when not root.
ensure_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$DATAVIND_TOP/scripts/packages.txt")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Qt WebEngine's sandbox cannot run as root; software rendering needs no GPU.
web_engine_environment() {
    if [ "$(id -u)" -eq 0 ]; then
        export QTWEBENGINE_DISABLE_SANDBOX=1
    fi
    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking --disable-component-update}"
}

# Starts Xvfb on a free display and exports DISPLAY. $1: colour depth,
# $2: screen size (1024x768). stop_xvfb gives back the DISPLAY set before,
# so that a later step never takes the stopped server for a running one.
start_xvfb() {
    local depth=${1:-24} size=${2:-1024x768} numberFile n
    XVFB_OLD_DISPLAY=${DISPLAY-}
    # The server picks a free display itself and writes its number: two runs
    # starting at once can never both take the same one.
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x$depth" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        n=$(tr -dc 0-9 <"$numberFile")
        if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            rm -f "$numberFile"
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    kill "$XVFB_PID" 2>/dev/null
    echo "could not start Xvfb" >&2
    return 1
}

# Ends a background job of this shell and every process it started.
kill_tree() {
    local child
    for child in $(pgrep -P "$1"); do kill_tree "$child"; done
    kill "$1" 2>/dev/null || true
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    if [ -n "${XVFB_OLD_DISPLAY:-}" ]; then
        export DISPLAY=$XVFB_OLD_DISPLAY
    else
        unset DISPLAY
    fi
}

# ccache, when installed, keeps compiled objects between runs and between
# clones: a clean clone on a machine that built before compiles only what
# changed. The cache lies outside the clone; paths are taken relative to the
# clone's parent so that two clones share it.
use_ccache() {
    command -v ccache >/dev/null || return 1
    if [ -z "${CCACHE_DIR:-}" ]; then
        if [ -w /var/cache/datavind-ccache ] || { [ ! -e /var/cache/datavind-ccache ] && [ -w /var/cache ]; }; then
            CCACHE_DIR=/var/cache/datavind-ccache
        else
            CCACHE_DIR="${XDG_CACHE_HOME:-$HOME/.cache}/datavind-ccache"
        fi
    fi
    export CCACHE_DIR
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$DATAVIND_TOP")}"
    export CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-12G}"
    # Sources compiled over a precompiled header are cached as well.
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    mkdir -p "$CCACHE_DIR" 2>/dev/null
}

configure_and_build() { # $1: preset, then the targets to build (default all)
    local preset=$1 targets=()
    shift
    [ $# -eq 0 ] || targets=(--target "$@")
    local launcher=()
    if use_ccache; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake --preset "$preset" -S "$DATAVIND_TOP" "${launcher[@]}" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}

# Makes a fresh Wine prefix for this run and exports WINEPREFIX. No dialog
# may wait for a person: a crash ends the program with a non-zero status
# instead of opening the debugger, and sound goes to ALSA's null device.
# With a folder given, makes a prefix there once, for a person at a desktop,
# and uses it again later; its windows are left to the desktop's window
# manager.
make_wine_prefix() {
    export WINEARCH=win64 WINEDEBUG=-all
    if [ -n "${1:-}" ]; then
        WINEPREFIX=$1
        export WINEPREFIX
        [ -f "$WINEPREFIX/.datavind-ready" ] && return 0
        mkdir -p "$WINEPREFIX"
    else
        WINEPREFIX=$(mktemp -d /tmp/datavind-wine.XXXXXX)
        export WINEPREFIX
        DATAVIND_MADE_PREFIX=$WINEPREFIX
    fi
    mkdir -p "$WINEPREFIX/home"
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$WINEPREFIX/home/.asoundrc"
    HOME="$WINEPREFIX/home" wineboot --init </dev/null >"$WINEPREFIX/boot.log" 2>&1
    HOME="$WINEPREFIX/home" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /t REG_SZ /d '' /f </dev/null >>"$WINEPREFIX/boot.log" 2>&1
    if [ -z "${1:-}" ]; then
        # Xvfb has no window manager: Wine draws window frames itself, as
        # Windows does, and never waits for a manager to take a window away
        # (which costs two seconds for every window closed).
        HOME="$WINEPREFIX/home" wine reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Decorated /t REG_SZ /d N /f </dev/null >>"$WINEPREFIX/boot.log" 2>&1
        HOME="$WINEPREFIX/home" wine reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Managed /t REG_SZ /d N /f </dev/null >>"$WINEPREFIX/boot.log" 2>&1
    fi
    # Wine's own fonts (Tahoma, MS Sans Serif), which the boot of a 64-bit-only
    # Wine leaves out of the prefix.
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    HOME="$WINEPREFIX/home" wineserver -w
    touch "$WINEPREFIX/.datavind-ready"
}

# Makes the Wine prefix report another Windows version to one program, e.g.
# wine_windows_version datavind.exe winxp64 (Windows XP x64, NT 5.2).
wine_windows_version() {
    HOME="$WINEPREFIX/home" wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" \
        /v Version /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1
}

# Maps folder $2 in the Wine prefix as the CD drive $1 (a lower-case
# letter). Wine reads a folder drive's volume label from its .windows-label.
map_wine_cd_drive() {
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
    HOME="$WINEPREFIX/home" wine reg add 'HKLM\Software\Wine\Drives' /v "$1:" /t REG_SZ /d cdrom /f \
        </dev/null >/dev/null 2>&1
    HOME="$WINEPREFIX/home" wineserver -w
}

unmap_wine_cd_drive() {
    rm -f "$WINEPREFIX/dosdevices/$1:"
    HOME="$WINEPREFIX/home" wine reg delete 'HKLM\Software\Wine\Drives' /v "$1:" /f </dev/null >/dev/null 2>&1 || true
}

# Removes the fresh prefix make_wine_prefix made, and no other: a prefix of
# the caller's own or a kept one stays.
remove_wine_prefix() {
    [ -n "${WINEPREFIX:-}" ] && [ "$WINEPREFIX" = "${DATAVIND_MADE_PREFIX:-}" ] || return 0
    HOME="$WINEPREFIX/home" wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    unset WINEPREFIX
}

# The ordinary user the Qt and end-to-end tests run as when the scripts run
# as root.
DATAVIND_TESTER=datavind-tester

as_tester() {
    runuser -u "$DATAVIND_TESTER" -- env -u QTWEBENGINE_DISABLE_SANDBOX -u XDG_RUNTIME_DIR \
        HOME="/var/lib/$DATAVIND_TESTER" USER="$DATAVIND_TESTER" LOGNAME="$DATAVIND_TESTER" "$@"
}

# Makes the test user when missing and lets it run the tests of build
# folder $1: it reads the build and the test scripts, and writes only where
# the tests keep their settings and ctest its logs.
prepare_tester() {
    local build=$1 dir
    id "$DATAVIND_TESTER" >/dev/null 2>&1 ||
        useradd --create-home --home-dir "/var/lib/$DATAVIND_TESTER" --shell /usr/sbin/nologin "$DATAVIND_TESTER"
    build=$(realpath "$build")
    dir=$build
    while [ "$dir" != / ]; do
        as_tester test -x "$dir" || chmod o+x "$dir"
        dir=$(dirname "$dir")
    done
    chmod -R o+rX "$build" "$DATAVIND_TOP/tests" "$DATAVIND_TOP/scripts"
    mkdir -p "$build/Testing"
    chown -R "$DATAVIND_TESTER" "$build/Testing"
    # The Qt tests' settings; the Windows build has none.
    [ ! -d "$build/tests/qt/config" ] || chown -R "$DATAVIND_TESTER" "$build/tests/qt/config"
}

# Runs a test command ($2...) of build folder $1 that needs the display: as
# the ordinary test user when root (readers are not root, and the web
# engine's sandbox cannot run as root), else as the caller.
run_display_tests() {
    local build=$1
    shift
    if [ "$(id -u)" -ne 0 ]; then
        "$@"
        return
    fi
    say "As $DATAVIND_TESTER, web engine sandbox on: $*"
    prepare_tester "$build"
    (cd "$DATAVIND_TOP" && as_tester "$@")
}

# The paths changed in the work tree and in the commits not yet on the
# upstream branch (or on main, for a branch without one), one a line.
changed_paths() {
    local base
    base=$(git -C "$DATAVIND_TOP" merge-base HEAD '@{upstream}' 2>/dev/null ||
        git -C "$DATAVIND_TOP" merge-base HEAD main 2>/dev/null || git -C "$DATAVIND_TOP" rev-parse HEAD)
    {
        git -C "$DATAVIND_TOP" diff --name-only "$base"
        git -C "$DATAVIND_TOP" ls-files --others --exclude-standard
    } | sort -u
}
