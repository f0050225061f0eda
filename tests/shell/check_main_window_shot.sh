#!/usr/bin/env bash
# Checks the pictures take_screenshot.sh took of the program just started for
# what a person sees in them.
# Usage: check_main_window_shot.sh SHOT.png MENU_SHOT.png SNAPVANE.jpg
set -u
out=$1
menu_shot=$2
picture=$3
# A person sees the empty thumbnail strip, a grey band across the foot of
# the window; above it the black preview with the program's own picture at
# its centre; above that the toolbar with its open buttons and, with no photo shown, its
# turn buttons greyed; and the
# Help menu opening under the menu bar.
failures=0
fail() { echo "screenshot: $*"; failures=$((failures + 1)); }
# "R G B" of a pixel.
rgb() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:; }
near() {  # near "R G B" "R G B" TOLERANCE
  local a=($1) b=($2) i
  for i in 0 1 2; do
    [ $(( a[i] > b[i] ? a[i] - b[i] : b[i] - a[i] )) -le "$3" ] || return 1
  done
}
# The bounding box "W H X Y" of the pixels of one colour.
box_of() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%@' info: |
             tr 'x+' '  '; }
read -r sw sh sx sy <<<"$(box_of "$out" 'srgb(200,200,200)')"
if [ "${sw:-0}" -lt 600 ] || [ "${sh:-0}" -lt 150 ]; then
  fail "no empty thumbnail strip (a grey band at least 600 x 150), found ${sw:-0} x ${sh:-0}"
else
  # The preview: the black run, in the window's left margin, that ends just
  # above the strip (a splitter may lie between).
  column=$(convert "$out" -crop "1x${sy}+$((sx + 3))+0" +repage txt:- | awk -F'[,:]' '
    /#000000/ { black[$2 + 0] = 1 }
    END {
      y = '"$sy"' - 1
      while (y > 0 && !black[y] && '"$sy"' - y < 12) y--
      bottom = y
      while (y > 0 && black[y]) y--
      print y + 1, bottom
    }')
  read -r ptop pbottom <<<"$column"
  if [ $((pbottom - ptop)) -lt 200 ]; then
    fail "no black preview above the strip (black from $ptop to $pbottom at x $((sx + 3)))"
  else
    centre=$(rgb "$out" $((sx + sw / 2)) $(((ptop + pbottom) / 2)))
    own=$(convert "$picture" -gravity center -crop 1x1+0+0 +repage -format '%[fx:round(255*p{0,0}.r)] %[fx:round(255*p{0,0}.g)] %[fx:round(255*p{0,0}.b)]' info: 2>/dev/null)
    near "$centre" "${own:-x}" 40 ||
      fail "the preview's centre is $centre, not the centre of Snapvane.jpg ($own)"
    # The toolbar, in the band above the preview: the yellow open-folder
    # button, and the turn buttons greyed, without their orange arrows, as
    # long as no photo is shown.
    count_of() {  # count_of COLOUR FUZZ: its pixels in the band above the preview
      convert "$out" -crop "${sw}x60+${sx}+$((ptop - 60))" +repage -fuzz "$2" \
        -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:
    }
    yellow=$(count_of 'srgb(250,205,70)' 10%)
    [ "${yellow:-0}" -ge 200 ] || fail "no open-folder button in the toolbar above the preview ($yellow pixels)"
    orange=$(count_of 'srgb(245,140,40)' 5%)
    [ "${orange:-0}" -lt 50 ] || fail "the turn buttons are not greyed while no photo is shown ($orange orange pixels)"
    # The menu: the pictures differ only below the menu bar, above the
    # preview's middle, at the window's left.
    if [ -s "$menu_shot" ]; then
      read -r mw mh mx my <<<"$(compare "$out" "$menu_shot" -compose src -highlight-color white \
                                  -lowlight-color black png:- 2>/dev/null | convert - -format "%@" info: 2>/dev/null | tr 'x+' '  ')"
      if [ "${mw:-0}" -lt 60 ] || [ "${mh:-0}" -lt 30 ] || [ "${my:-0}" -ge "$ptop" ] ||
         [ $((my + mh)) -gt $(((ptop + pbottom) / 2)) ] || [ "${mx:-0}" -gt $((sx + sw / 2)) ]; then
        fail "the Help menu did not open under the menu bar (changed: ${mw:-0} x ${mh:-0} at ${mx:-0},${my:-0})"
      fi
    else
      fail "no picture with the Help menu open"
    fi
  fi
fi
[ $failures -eq 0 ]
