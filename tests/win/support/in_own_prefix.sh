#!/usr/bin/env bash
# Runs one test command under Wine with a prefix and an X display of its own,
# so that test entries can run side by side: the prefix is a fresh copy of
# the template (never booted again), the display a new Xvfb screen of
# 1280 x 1024. Both wineserver and Xvfb end with the command.
# usage: in_own_prefix.sh TEMPLATE_DIR PREFIX_DIR COMMAND [ARGS...]
set -uo pipefail
template="$1"
prefix="$2"
shift 2
if [ ! -f "$template/.complete" ]; then
  echo "no template Wine prefix in $template (the wine_template test makes it)"
  exit 1
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
# Wine's own program files, most of the prefix's 700 MB and never written
# to, stay hard links to the template's; every other file (the registry
# among them) becomes the prefix's own copy.
cp -al "$template" "$prefix" || exit 1
while IFS= read -r -d '' file; do
  cp -p "$file" "$file.own" && mv -f "$file.own" "$file" || exit 1
done < <(find "$prefix" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.nls' \
                                    -o -iname '*.tlb' -o -iname '*.sys' -o -iname '*.cpl' -o -iname '*.ocx' \
                                    -o -iname '*.acm' -o -iname '*.ax' \) -print0)
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 1 100); do [ -s "$display_file" ] && break; sleep 0.1; done
if [ ! -s "$display_file" ]; then
  echo "Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n 1 "$display_file")"

"$@"
status=$?
exit $status
