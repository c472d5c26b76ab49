#!/bin/sh
# The Linux start program of a Datavinds cd: it runs the real program from
# linux/ with the libraries, plugins and fonts the disc brings, and names the
# folder holding this script as the disc root. Programs the reader starts
# from the disc get the reader's own values of what is set here back.
here=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd -P) || exit 1
runtime="$here/linux"

case $(uname -m) in
x86_64 | amd64) ;;
*)
    echo "Datavinds cd: the Linux program needs a 64-bit PC (x86_64)." >&2
    exit 1
    ;;
esac

# A disc mounted noexec runs none of its programs, this one's included when
# the reader starts it with sh: say what to do rather than "Permission denied".
if [ ! -x "$runtime/datavind" ]; then
    device=$(findmnt -n -o SOURCE --target "$here" 2>/dev/null) || device=
    echo "Datavinds cd: the disc is mounted so that no program on it may run (noexec)." >&2
    echo "Mount it again with programs allowed, then start $here/datavind again:" >&2
    echo "    udisksctl unmount -b ${device:-/dev/sr0} && udisksctl mount -b ${device:-/dev/sr0} -o exec" >&2
    exit 126
fi

DATAVIND_RUNTIME_VARIABLES=
# keep NAME: keeps the reader's own value of NAME, if any, in
# DATAVIND_SAVED_NAME, for the programs started from the disc.
keep() {
    if eval "[ -n \"\${$1+set}\" ]"; then
        eval "DATAVIND_SAVED_$1=\$$1; export DATAVIND_SAVED_$1"
    fi
    DATAVIND_RUNTIME_VARIABLES="$DATAVIND_RUNTIME_VARIABLES $1"
}
# runtime NAME VALUE: sets a variable for the disc's runtime.
runtime() {
    keep "$1"
    eval "$1=\$2; export $1"
}
# without NAME: the disc's runtime runs without the reader's value.
without() {
    keep "$1"
    unset "$1"
}

cache="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/datavind"
mkdir -p "$cache" 2>/dev/null

# The media back end: only the disc's own GStreamer plugins, whose registry
# is kept apart from the system's.
runtime GST_PLUGIN_SYSTEM_PATH_1_0 "$runtime/lib/gstreamer-1.0"
runtime GST_PLUGIN_PATH_1_0 ""
runtime GST_PLUGIN_SCANNER_1_0 "$runtime/libexec/gst-plugin-scanner"
runtime GST_REGISTRY_1_0 "$cache/gstreamer-$(id -u).bin"
# The system's fonts when it has any, and the disc's own in any case.
runtime FONTCONFIG_FILE "$runtime/fonts/fonts.conf"
# The system's GIO modules are built for its own GLib.
runtime GIO_MODULE_DIR "$runtime/lib/gio-modules"
# Qt: the disc brings the X11 window system only (a Wayland desktop runs it
# through XWayland), and its own plugins, QML and web engine process, which
# a desktop's values for its own Qt would replace.
runtime QT_QPA_PLATFORM xcb
for name in QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH QML2_IMPORT_PATH QML_IMPORT_PATH \
    QTWEBENGINEPROCESS_PATH QTWEBENGINE_RESOURCES_PATH QTWEBENGINE_LOCALES_PATH; do
    without "$name"
done
# With no OpenGL driver on the system, Qt draws in software.
if ! /sbin/ldconfig -p 2>/dev/null | grep -q 'libGLX_[a-z]*\.so\.0'; then
    runtime QT_XCB_GL_INTEGRATION none
    runtime QT_QUICK_BACKEND software
fi
export DATAVIND_RUNTIME_VARIABLES

DATAVIND_DISC_ROOT="$here"
export DATAVIND_DISC_ROOT

# From a CD: the files the start reads lie on the disc in the order they are
# read; reading each whole keeps the drive reading on rather than seeking
# between a few pages of each. First what the start window needs, then the
# window (its process waits for this one, which becomes the program), then
# the rest while it shows.
read_ahead() {
    [ -r "$runtime/$1" ] && (cd "$runtime" && tr '\n' '\0' <"$1" | xargs -r -0 cat --) >/dev/null 2>&1
    return 0
}
read_ahead read-first
if [ -n "${DISPLAY:-}" ] && [ -x "$runtime/datavind-splash" ]; then
    "$runtime/datavind-splash" $$ >/dev/null &
    DATAVIND_SPLASH=$!
    export DATAVIND_SPLASH
fi
read_ahead read-next
exec "$runtime/datavind" "$@"
