#!/usr/bin/env bash
# Photographs the update notice and both pages of the settings sheet on a
# Wine virtual desktop under its own X server, for a person to look at.
# Usage: take_settings_screenshots.sh SETTINGS_SCREENSHOTS_EXE OUTPUT_FOLDER
set -u
exe=$1
out=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
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

# What a person sees in each picture: the dialog in front of its owner, its
# caption active (blue) over the owner's inactive (grey) one, and text in it.
front_dialog() {
  local shot=$1 ow oh ox oy cw ch cx cy text
  box() { convert "$shot" -fill black +opaque "$1" -fill white -opaque "$1" -format '%@' info: 2>/dev/null |
            tr 'x+' '  '; }
  read -r ow oh ox oy <<<"$(box 'srgb(128,128,128)')"
  read -r cw ch cx cy <<<"$(box 'srgb(50,150,250)')"
  if [ "${cw:-0}" -lt 300 ] || [ "${ch:-0}" -lt 10 ] || [ "${ch:-0}" -gt 40 ]; then
    echo "no active dialog caption in $shot (${cw:-0} x ${ch:-0})"
    return 1
  fi
  if [ "${ow:-0}" -le "${cw:-0}" ] || [ "${oy:-0}" -ge "${cy:-0}" ] || [ "${ox:-0}" -gt "${cx:-0}" ]; then
    echo "the dialog in $shot is not in front of its inactive owner"
    return 1
  fi
  text=$(convert "$shot" -crop "${cw}x120+${cx}+$((cy + ch))" +repage -fill white +opaque black \
           -negate -format '%[fx:round(mean*w*h)]' info:)
  if [ "${text:-0}" -lt 100 ]; then
    echo "no text under the dialog's caption in $shot"
    return 1
  fi
}
# xvfb-run is a POSIX shell script, which drops exported bash functions:
# the inner shell gets the definition as text.
export SHOT_FRONT_DIALOG=$(declare -f front_dialog)

export SHOT_EXE=$exe SHOT_OUT=$out SHOT_NAMES=$names SHOT_DIR=$handshake
export SHOT_DIR_WINDOWS="Z:${handshake//\//\\}"
# The same size as every other display of the test run: a virtual desktop
# sets the display mode for the whole Wine prefix, and later tests measure
# their windows against the screen.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  eval "$SHOT_FRONT_DIALOG"
  "$WINELOADER" explorer /desktop=settings-shot,1280x1024 "$SHOT_EXE" "$SHOT_DIR_WINDOWS" &
  program=$!
  for name in $SHOT_NAMES; do
    for _ in $(seq 1 600); do
      [ -e "$SHOT_DIR/$name.ready" ] && break
      sleep 0.1
    done
    [ -e "$SHOT_DIR/$name.ready" ] || { echo "$name did not come up"; break; }
    # Photographed once the dialog shows as a person would see it, painted
    # in front of its owner.
    for _ in $(seq 1 100); do
      import -window root "$SHOT_OUT/$name.png"
      front_dialog "$SHOT_OUT/$name.png" >/dev/null && break
      sleep 0.1
    done
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
  if [ -s "$shot" ] && front_dialog "$shot"; then
    echo "screenshot: $shot"
  else
    echo "no usable screenshot: $shot"
    status=1
  fi
done
exit $status
