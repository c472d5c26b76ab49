#!/bin/sh
# The disc's installer: tells the reader which program is being installed.
name=${1:-programmet}
text="Installationsprogrammet för $name startar.

Följ anvisningarna på skärmen för att installera $name på din dator."
if command -v zenity >/dev/null 2>&1; then
    exec zenity --info --title="Installera $name" --text="$text"
elif command -v kdialog >/dev/null 2>&1; then
    exec kdialog --title "Installera $name" --msgbox "$text"
elif command -v xmessage >/dev/null 2>&1; then
    exec xmessage -center -title "Installera $name" -buttons OK "$text"
fi
echo "$text"
