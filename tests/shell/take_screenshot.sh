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
  # Takes a picture of the screen once it differs from the picture given
  # and has not changed for a second (the program started and painted, the
  # menu opened): the main window lives inside the virtual desktop, out of
  # reach of X tools.
  picture_once_still() {
    local out=$1 unlike=$2 last="" now same=0
    for _ in $(seq 1 120); do
      sleep 0.25
      now=$(import -window root rgb:- 2>/dev/null | md5sum)
      if [ "$now" = "$last" ] && [ "$now" != "$unlike" ]; then
        same=$((same + 1))
      else
        same=0
      fi
      last=$now
      if [ $same -ge 4 ]; then
        import -window root "$out"
        echo "$now"
        return 0
      fi
    done
    import -window root "$out"
    echo "$now"
  }
  blank=$(import -window root rgb:- 2>/dev/null | md5sum)
  "$WINELOADER" explorer /desktop=snapvane-shot,1280x1024 "$SNAPSHOT_EXE" &
  desktop=$!
  desktop_window=
  for _ in $(seq 1 600); do
    sleep 0.1
    desktop_window=$(xdotool search --name "snapvane-shot" 2>/dev/null | head -n 1)
    [ -n "$desktop_window" ] && break
  done
  # The program is up when its window is painted: the desktop alone is one
  # colour until then.
  for _ in $(seq 1 200); do
    colours=$(import -window root png:- 2>/dev/null | convert - -format %k info: 2>/dev/null)
    [ "${colours:-0}" -gt 16 ] && break
    sleep 0.1
  done
  started=$(picture_once_still "$SNAPSHOT_OUT" "$blank")
  status=$?
  if [ -n "$desktop_window" ]; then
    xdotool windowfocus "$desktop_window" 2>/dev/null
    xdotool key --window "$desktop_window" alt+h 2>/dev/null
    picture_once_still "$SNAPSHOT_MENU_OUT" "$started" >/dev/null
    xdotool key --window "$desktop_window" Escape Escape 2>/dev/null
  fi
  # WM_CLOSE to the program, as a user closing it would.
  # Alt+F4 to the program, as a user closing it would. The virtual desktop
  # stays when the program has gone: wait for its window to go, which
  # leaves the desktop one colour.
  [ -n "$desktop_window" ] && xdotool key --window "$desktop_window" alt+F4 2>/dev/null
  for _ in $(seq 1 50); do
    kill -0 $desktop 2>/dev/null || break
    colours=$(import -window root png:- 2>/dev/null | convert - -format %k info: 2>/dev/null)
    [ "${colours:-0}" -le 1 ] && break
    sleep 0.2
  done
  kill $desktop 2>/dev/null
  exit $status
'
status=$?
if [ $status -ne 0 ] || [ ! -s "$out" ]; then
  echo "no screenshot taken"
  exit 1
fi
colours=$(convert "$out" -format %k info: 2>/dev/null || echo 0)
echo "screenshot: $out ($colours colours)"
[ -s "$menu_shot" ] && echo "screenshot with the Help menu open: $menu_shot"

bash "$(dirname "$0")/check_main_window_shot.sh" "$out" "$menu_shot" "$(dirname "$exe")/Snapvane.jpg"
