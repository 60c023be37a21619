#!/usr/bin/env bash
# Draws banner.png, the 221 x 48 banner of the launcher and the about box.
# Needs ImageMagick and the DejaVu fonts; run it from any folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
book=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
/usr/bin/convert -size 48x221 gradient:'rgb(0,0,128)-rgb(0,128,128)' -rotate -90 \
  -fill 'rgb(255,255,255)' -stroke 'rgb(0,0,80)' -strokewidth 1 \
  -draw 'roundrectangle 7,7 40,40 7,7' \
  -fill none -stroke 'rgb(0,0,128)' -strokewidth 4 \
  -draw 'polyline 14,24 21,32 34,15' \
  -stroke none -fill 'rgb(0,0,60)' -font "$bold" -pointsize 21 -annotate +51+29 'Quizlore' \
  -fill white -annotate +50+28 'Quizlore' \
  -fill 'rgb(255,215,0)' -font "$book" -pointsize 10 -annotate +52+42 'PRACTICE EXAM PREP' \
  -fill 'rgb(255,215,0)' -font "$bold" -pointsize 13 -annotate +152+28 '2.0' \
  -strip "PNG24:$here/banner.png"
