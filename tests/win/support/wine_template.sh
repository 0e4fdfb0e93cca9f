#!/usr/bin/env bash
# Makes the template Wine prefix of the Windows tests once: booted, crash
# dialogs off, no window manager expected, Wine's own fonts. Every test entry
# copies it instead of booting a prefix of its own. A template that this
# version of the script made is kept.
# usage: wine_template.sh TEMPLATE_DIR
set -euo pipefail
template="$1"
# A template made by another version of this script is made again.
stamp="$(sha256sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)"
if [ "$(cat "$template/.complete" 2>/dev/null)" = "$stamp" ]; then exit 0; fi
rm -rf "$template"
mkdir -p "$template"
export WINEPREFIX="$template"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# wineboot needs no screen; a display of its own keeps it off anyone else's.
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 1 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$display_file")"
wineboot -i >/dev/null 2>&1 || true
# A crash prints its backtrace and ends the process instead of waiting in a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# The test screens have no window manager: Wine places its windows itself.
# Left to a manager that is not there, hiding or closing a window waits two
# seconds for an answer that never comes.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
# Caption buttons and other glyphs come from Marlett; give the prefix Wine's own copies.
fonts="$template/drive_c/windows/Fonts"
if [ -d "$fonts" ] && [ -d /usr/share/wine/fonts ]; then cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true; fi
[ -f "$template/system.reg" ] || { echo "wineboot made no prefix in $template"; exit 1; }
echo "$stamp" > "$template/.complete"
