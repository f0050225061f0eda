#!/usr/bin/env bash
# Runs Snapvane.exe on a Wine virtual desktop under its own X server, takes a
# picture of the screen once the program is up, another with its Help menu
# open (OUTPUT-menu.png), and closes the program.
# Usage: take_screenshot.sh SNAPVANE_EXE OUTPUT.png
# SNAPVANE_TEST_EXE, when set, names another build of the program to show.
set -u
exe=${SNAPVANE_TEST_EXE:-$1}
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine-env"
for tool in xvfb-run xdotool import convert; do
  command -v $tool >/dev/null || { echo "$tool is missing"; exit 1; }
done
mkdir -p "$(dirname "$out")"
menu_shot=${out%.png}-menu.png
rm -f "$out" "$menu_shot"

# The program's data folder goes beside the pictures, not into the prefix's
# documents folder (which Wine links to the home folder).
documents=$(cd "$(dirname "$out")" && pwd)/documents
mkdir -p "$documents"
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
"$WINELOADER" reg add "$shell_folders" /v Personal /t REG_SZ /d "Z:${documents//\//\\}" /f >/dev/null 2>&1
restore_documents() {
  "$WINELOADER" reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents' /f >/dev/null 2>&1
}
trap restore_documents EXIT

export SNAPSHOT_EXE=$exe SNAPSHOT_OUT=$out SNAPSHOT_MENU_OUT=$menu_shot
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$WINELOADER" explorer /desktop=snapvane-shot,1280x1024 "$SNAPSHOT_EXE" &
  desktop=$!
  # Wait for the virtual desktop, then give the program time to start and
  # paint: the main window lives inside the desktop, out of reach of X tools.
  desktop_window=
  for _ in $(seq 1 60); do
    sleep 1
    desktop_window=$(xdotool search --name "snapvane-shot" 2>/dev/null | head -n 1)
    [ -n "$desktop_window" ] && break
  done
  sleep 8
  import -window root "$SNAPSHOT_OUT"
  status=$?
  if [ -n "$desktop_window" ]; then
    xdotool windowfocus "$desktop_window" 2>/dev/null
    xdotool key --window "$desktop_window" alt+h 2>/dev/null
    sleep 2
    import -window root "$SNAPSHOT_MENU_OUT"
    xdotool key --window "$desktop_window" Escape Escape 2>/dev/null
  fi
  # WM_CLOSE to the program, as a user closing it would.
  "$WINELOADER" taskkill /im Snapvane.exe >/dev/null 2>&1
  for _ in $(seq 1 20); do
    kill -0 $desktop 2>/dev/null || break
    sleep 1
  done
  kill $desktop 2>/dev/null
  exit $status
'
status=$?
if [ $status -ne 0 ] || [ ! -s "$out" ]; then
  echo "no screenshot taken"
  exit 1
fi
# A blank screen has one colour; the window with its menu has many.
colours=$(convert "$out" -format %k info: 2>/dev/null || echo 0)
echo "screenshot: $out ($colours colours)"
[ -s "$menu_shot" ] && echo "screenshot with the Help menu open: $menu_shot"
[ "${colours:-0}" -gt 16 ]
