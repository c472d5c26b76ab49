#!/bin/sh
# The disc's installer: tells the reader which program is being installed.
# The name may come as several words.
name=${*:-programmet}
text="Installationsprogrammet för $name startar.

Följ anvisningarna på skärmen för att installera $name på din dator."
if command -v zenity >/dev/null 2>&1; then
    exec zenity --info --title="Installera $name" --text="$text"
elif command -v kdialog >/dev/null 2>&1; then
    exec kdialog --title "Installera $name" --msgbox "$text"
elif command -v xmessage >/dev/null 2>&1; then
    # xmessage draws Latin-1.
    latin1() { printf '%s' "$1" | iconv -f UTF-8 -t ISO-8859-1//TRANSLIT 2>/dev/null || printf '%s' "$1"; }
    exec xmessage -center -title "$(latin1 "Installera $name")" -buttons OK "$(latin1 "$text")"
fi
echo "$text"
