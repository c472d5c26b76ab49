#!/bin/sh
# The Linux start program of a Datavinds cd: it runs the real program from
# linux/ with the libraries, plugins and fonts the disc brings, and names the
# folder holding this script as the disc root. Programs the reader starts
# from the disc get the reader's own values of what is set here back.
here=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd -P) || exit 1
runtime="$here/linux"

# tell TEXT: says TEXT to the reader in a window, when the desktop has a way
# to show one, and on the terminal in any case.
tell() {
    printf '%s\n' "$1" >&2
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
    case ${XDG_CURRENT_DESKTOP:-} in
    *KDE*) tools="kdialog zenity xmessage" ;;
    *) tools="zenity kdialog xmessage" ;;
    esac
    for tool in $tools; do
        command -v "$tool" >/dev/null 2>&1 || continue
        case $tool in
        # The text is plain: a path may hold "&" or "<".
        zenity) zenity --error --no-markup --title="Datavinds cd" --width=480 --text="$1" ;;
        kdialog) kdialog --title "Datavinds cd" --error "$1" ;;
        # The X toolkit draws letters beyond ASCII only with a font set.
        xmessage) xmessage -title "Datavinds cd" -center -buttons OK:0 -default OK \
            -xrm '*international: true' -xrm '*fontSet: -*-*-medium-r-normal--*-120-*-*-*-*-*-*' \
            "$1" ;;
        esac
        return 0
    done
}

case $(uname -m) in
x86_64 | amd64) ;;
*)
    tell "Datavinds cd: skivans program för Linux kräver en 64-bitars PC (x86_64)."
    exit 1
    ;;
esac

# A disc mounted noexec runs none of its programs, this one's included when
# the reader starts it with sh: say what to do rather than "Permission denied".
if [ ! -x "$runtime/datavind" ]; then
    device=$(findmnt -n -o SOURCE --target "$here" 2>/dev/null) || device=
    tell "Datavinds cd: skivan är monterad så att inga program på den får köras (noexec).
Montera den igen med program tillåtna och starta sedan $here/datavind igen:
    udisksctl unmount -b ${device:-/dev/sr0} && udisksctl mount -b ${device:-/dev/sr0} -o exec"
    exit 126
fi

# at_least HAVE NEEDED: true when version HAVE (major.minor) is NEEDED or
# newer; false when HAVE is no version at all.
at_least() {
    have_major=${1%%.*} have_minor=${1#*.} need_major=${2%%.*} need_minor=${2#*.}
    have_minor=${have_minor%%.*} need_minor=${need_minor%%.*}
    case "$have_major,$have_minor,$need_major,$need_minor" in
    *[!0-9,]* | ,* | *,,* | *,) return 1 ;;
    esac
    [ "$have_major" -gt "$need_major" ] ||
        { [ "$have_major" -eq "$need_major" ] && [ "$have_minor" -ge "$need_minor" ]; }
}

# The runtime is built for a C library at least as new as linux/GLIBC names;
# on an older system the loader would print its complaint to a terminal
# nobody sees, and nothing would happen.
needed=$(sed -n 's/^GLIBC_//p' "$runtime/GLIBC" 2>/dev/null)
if [ -n "$needed" ]; then
    have=$(getconf GNU_LIBC_VERSION 2>/dev/null | sed -n 's/^glibc //p')
    if ! at_least "$have" "$needed"; then
        if [ -n "$have" ]; then has="glibc $have"; else has="inget glibc"; fi
        # Lines of their own: xmessage does not wrap.
        tell "Datavinds cd kan inte starta på den här datorn.

Skivans program för Linux behöver C-biblioteket
glibc $needed eller nyare, men datorn har $has.
Uppdatera datorns Linux till en nyare version, eller
använd skivan på en dator med Windows.

Filerna på skivan kan du ändå öppna i filhanteraren."
        exit 1
    fi
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
# The system's own C++ runtime when it is at least as new as the disc's:
# its OpenGL driver and input methods may need the newer one, and a newer
# one runs whatever the older ran. On an older system, the disc's.
ldconfig=$(command -v ldconfig 2>/dev/null) || ldconfig=/sbin/ldconfig
libraries=$("$ldconfig" -p 2>/dev/null)
system_cxx=$(printf '%s\n' "$libraries" | sed -n 's/^[[:space:]]*libstdc++\.so\.6 (libc6,x86-64[^)]*) => //p' | head -n 1)
level() { sed -n 's/^GLIBCXX_3\.4\.\([0-9]*\)$/\1/p'; }
disc_level= system_level=
[ -r "$runtime/GLIBCXX" ] && disc_level=$(level <"$runtime/GLIBCXX")
[ -n "$system_cxx" ] && [ -r "$system_cxx" ] &&
    system_level=$(grep -ao 'GLIBCXX_3\.4\.[0-9]*' "$system_cxx" | level | sort -n | tail -n 1)
library_path=
if [ -z "$system_level" ] || { [ -n "$disc_level" ] && [ "$system_level" -lt "$disc_level" ]; }; then
    library_path="$runtime/lib/cxx"
fi
# With no OpenGL driver on the system, Qt draws in software.
if ! printf '%s\n' "$libraries" | grep -q 'libGLX_[a-z]*\.so\.0'; then
    runtime QT_XCB_GL_INTEGRATION none
    runtime QT_QUICK_BACKEND software
fi
export DATAVIND_RUNTIME_VARIABLES

DATAVIND_DISC_ROOT="$here"
export DATAVIND_DISC_ROOT

# From a CD: the files the start reads lie on the disc in the order they are
# read; reading them ahead keeps the drive reading on rather than seeking
# between a few pages of each. First what the start window needs, then the
# window (it ends with this script, which runs the program), then the rest
# while it shows: whole files, and of those the start reads only a little
# of (linux/read-parts: "OFFSET LENGTH FILE") just those parts.
read_whole() {
    [ -r "$runtime/$1" ] || return 0
    (cd "$runtime" && parts=read-parts && { [ -r "$parts" ] || parts=/dev/null; } &&
        awk -v parts="$parts" 'FILENAME == parts { part[$3] = 1; next } !($0 in part) && !/\.zst$/' "$parts" "$1" |
        tr '\n' '\0' | xargs -r -0 cat --) >/dev/null 2>&1
    return 0
}
read_parts() {
    [ -s "$runtime/read-parts" ] || return 0
    (cd "$runtime" && while read -r offset length file; do
        dd if="$file" of=/dev/null bs=128k iflag=skip_bytes,count_bytes skip="$offset" count="$length" status=none
    done <read-parts) >/dev/null 2>&1
    return 0
}
read_whole read-first
if [ -n "${DISPLAY:-}" ] && [ -x "$runtime/datavind-splash" ]; then
    "$runtime/datavind-splash" $$ >/dev/null &
    DATAVIND_SPLASH=$!
    export DATAVIND_SPLASH
fi

# The libraries the start loads lie on the disc packed with zstd (read-next
# names them NAME.zst): a quarter fewer bytes for a CD drive to read than
# the disc's own compression leaves. They are unpacked for this start into
# a folder in memory, the first of these that takes them, and removed when
# the program ends; folders that an ended start left are removed too.
unpacked=
unpacked_mb=$(($(cat "$runtime/unpacked-size" 2>/dev/null || echo 0) / 1048576))
unpack_into() {
    [ -n "$1" ] && [ -d "$1" ] && [ -w "$1" ] || return 1
    # A place with too little room is not filled up to find that out.
    free_mb=$(df -Pm "$1" 2>/dev/null | awk 'NR == 2 { print $4 }')
    [ -z "$free_mb" ] || [ "$free_mb" -gt "$unpacked_mb" ] || return 1
    for old in "$1"/datavind-start-*; do
        pid=${old##*/datavind-start-}
        pid=${pid%%.*}
        [ -O "$old" ] && ! kill -0 "$pid" 2>/dev/null && rm -rf "$old"
    done
    unpacked=$(mktemp -d "$1/datavind-start-$$.XXXXXX" 2>/dev/null) || return 1
    (cd "$runtime" && grep '\.zst$' read-next | tr '\n' '\0' |
        xargs -r -0 "$runtime/zstd" -d -q --no-progress --output-dir-flat "$unpacked" --) >/dev/null 2>&1 && return 0
    rm -rf "$unpacked"
    unpacked=
    return 1
}
if [ -r "$runtime/read-next" ] && grep -q '\.zst$' "$runtime/read-next"; then
    unpack_into "${XDG_RUNTIME_DIR:-}" || unpack_into /dev/shm || unpack_into "${TMPDIR:-/tmp}" || {
        [ -z "${DATAVIND_SPLASH:-}" ] || kill "$DATAVIND_SPLASH" 2>/dev/null
        tell "Datavinds cd kan inte starta: skivans bibliotek (ungefär $unpacked_mb MB)
gick inte att packa upp i datorns minne eller i /tmp.
Det finns kanske inte plats, eller så är skivan repig eller smutsig."
        exit 1
    }
    library_path="$unpacked${library_path:+:$library_path}"
    trap 'rm -rf "$unpacked"' EXIT
fi
[ -z "$library_path" ] || runtime LD_LIBRARY_PATH "$library_path${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
read_whole read-next
read_parts
if [ -z "$unpacked" ]; then
    exec "$runtime/datavind" "$@"
fi
# The folder is removed after the program: this script waits for it, and
# passes on a request to end to it (the shell would run its own trap only
# after the program). A program run in the background has SIGINT ignored:
# Ctrl+C in a terminal ends it with SIGTERM.
"$runtime/datavind" "$@" &
program=$!
trap 'kill -HUP "$program" 2>/dev/null' HUP
trap 'kill -TERM "$program" 2>/dev/null' INT TERM
status=0
wait "$program" || status=$?
while kill -0 "$program" 2>/dev/null; do
    status=0
    wait "$program" || status=$?
done
exit "$status"
