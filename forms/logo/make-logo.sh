#!/bin/sh
# Draws the splash logo (421 x 135, baseline JFIF JPEG). Needs ImageMagick and the IPA fonts.
# The JPEG is checked in; run this only to change the picture.
set -e
cd "$(dirname "$0")"
gothic=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
convert -size 421x135 gradient:'#ffffff-#ffe4f1' \
    -fill '#f7d2e6' -draw 'circle 380,20 420,20' -draw 'circle 28,120 58,120' \
    -font "$gothic" \
    -fill '#d9c8f0' -pointsize 15 -annotate +14+22 '(^o^)' -annotate +350+74 '(^^;)' \
    -annotate +22+124 'm(__)m' -annotate +284+36 '＼(^o^)／' \
    -fill '#7a2a5c' -pointsize 74 -annotate +33+90 'プカロ！' \
    -fill '#ff3fae' -stroke '#e02a94' -strokewidth 1 -pointsize 74 -annotate +30+87 'プカロ！' \
    -strip -interlace none -sampling-factor 2x2 -quality 92 \
    -density 96 -units PixelsPerInch JPEG:logo.jpg
