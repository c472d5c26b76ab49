#!/usr/bin/env bash
# The real program read by a screen reader through AT-SPI, on a session bus
# of the test's own.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
disc=$1

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${DATAVIND_OWN_BUS:-}" ]; then
    export DATAVIND_OWN_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

start_xvfb 24
trap 'stop_program; stop_xvfb' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program "$disc"
# The system's own Python, which has the Debian package of pyatspi.
/usr/bin/python3 "$(dirname "$0")/screen_reader.py"
