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

DATAVIND_RUNTIME_VARIABLES=
# runtime NAME VALUE: sets a variable for the disc's runtime and keeps the
# reader's own value, if any, in DATAVIND_SAVED_NAME.
runtime() {
    if eval "[ -n \"\${$1+set}\" ]"; then
        eval "DATAVIND_SAVED_$1=\$$1; export DATAVIND_SAVED_$1"
    fi
    eval "$1=\$2; export $1"
    DATAVIND_RUNTIME_VARIABLES="$DATAVIND_RUNTIME_VARIABLES $1"
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
# With no OpenGL driver on the system, Qt draws in software.
if ! /sbin/ldconfig -p 2>/dev/null | grep -q 'libGLX_[a-z]*\.so\.0'; then
    runtime QT_XCB_GL_INTEGRATION none
    runtime QT_QUICK_BACKEND software
fi
export DATAVIND_RUNTIME_VARIABLES

DATAVIND_DISC_ROOT="$here"
export DATAVIND_DISC_ROOT
exec "$runtime/datavind" "$@"
