#!/usr/bin/env bash
# Photographs the update notice and both pages of the settings sheet on a
# Wine virtual desktop under its own X server, for a person to look at.
# Usage: take_settings_screenshots.sh SETTINGS_SCREENSHOTS_EXE OUTPUT_FOLDER
set -u
exe=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine-env"
for tool in xvfb-run import convert; do
  command -v $tool >/dev/null || { echo "$tool is missing"; exit 1; }
done
snapvane_wine_prefix
mkdir -p "$out"
out=$(cd "$out" && pwd)
names="update-notice settings-page version-page"
for name in $names; do rm -f "$out/$name.png"; done
handshake=$(mktemp -d)
trap 'rm -rf "$handshake"' EXIT

export SHOT_EXE=$exe SHOT_OUT=$out SHOT_NAMES=$names SHOT_DIR=$handshake
export SHOT_DIR_WINDOWS="Z:${handshake//\//\\}"
# The same size as every other display of the test run: a virtual desktop
# sets the display mode for the whole Wine prefix, and later tests measure
# their windows against the screen.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$WINELOADER" explorer /desktop=settings-shot,1280x1024 "$SHOT_EXE" "$SHOT_DIR_WINDOWS" &
  program=$!
  for name in $SHOT_NAMES; do
    for _ in $(seq 1 600); do
      [ -e "$SHOT_DIR/$name.ready" ] && break
      sleep 0.1
    done
    [ -e "$SHOT_DIR/$name.ready" ] || { echo "$name did not come up"; break; }
    sleep 1  # let it paint
    import -window root "$SHOT_OUT/$name.png"
    touch "$SHOT_DIR/$name.done"
  done
  for _ in $(seq 1 30); do
    kill -0 $program 2>/dev/null || break
    sleep 1
  done
  kill $program 2>/dev/null
  exit 0
'
status=0
for name in $names; do
  shot="$out/$name.png"
  # A blank screen has one colour; a dialog with text has many.
  colours=$(convert "$shot" -format %k info: 2>/dev/null || echo 0)
  if [ "${colours:-0}" -gt 16 ]; then
    echo "screenshot: $shot ($colours colours)"
  else
    echo "no usable screenshot: $shot"
    status=1
  fi
done
exit $status
