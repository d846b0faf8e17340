#!/usr/bin/env bash
# Draws the game's pictures with ImageMagick into src/app/resources/:
#   banner.jpg     453x234  the start window's stage banner
#   background.jpg 1200x768 the guessing window's backdrop
#   contact.jpg    188x188  the emblem square of the start window
#   caici.png      256x256  the application icon
# Every random element comes from a fixed seed, so a rerun gives the same pictures
# with the same ImageMagick and fonts.
set -euo pipefail
cd "$(dirname "$0")/.."

# The real ImageMagick 6 binaries; a wrapper earlier on PATH may not take every option.
IM=${IM:-/usr/bin/convert}
IDENTIFY=${IDENTIFY:-/usr/bin/identify}
OUT=${OUT:-src/app/resources}
SANS_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
CJK_BOLD=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc

for f in "$IM" "$IDENTIFY" "$SANS_BOLD" "$CJK_BOLD"; do
  [ -e "$f" ] || { echo "missing $f: run scripts/ensure-deps (deps/data.txt)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$OUT"

# Same bytes on every run: no timestamps or comments in the files.
JPEG_OPTS=(-strip -sampling-factor 4:2:0 -interlace none -quality 90)
PNG_OPTS=(-strip -define "png:exclude-chunks=date,time,tEXt,zTXt,iTXt")

# A small linear congruential generator, so that scattered decorations land on the
# same spots whatever shell runs this script. next_random N sets R in [0, N).
rng_state=1
seed_random() { rng_state=$1; }
next_random() {
  rng_state=$(( (rng_state * 1103515245 + 12345) & 0x7fffffff ))
  R=$(( (rng_state >> 8) % $1 ))
}

# draw SIZE OUTPUT MVG: drawing commands on a transparent canvas. The commands go in
# as one argument because Debian's ImageMagick policy refuses "@file" arguments.
draw() {
  "$IM" -size "$1" xc:none -draw "$3" "$2"
}

CONFETTI_COLOURS=('#ff3b5c' '#ffd400' '#27d3ff' '#7cff4f' '#ff8c1a' '#ff66d9' '#ffffff')
BULB_COLOURS=('#ff3030' '#ffd21f' '#35e04a' '#2fa8ff' '#ff5ee0')

# ---------------------------------------------------------------------------
# Banner: a stage between red curtains, coloured bulbs, two spotlights and
# confetti. The title is drawn over x 86-313, y 71-110 and the edition captions
# and maker line beside and below it, so that band stays plain dark violet.
# The start label (346,141, 48x56) gets a golden disc to sit on, lit by the
# right spotlight; the rules button stands on the floor at the left.
make_banner() {
  local out=$1 w=453 h=234 floor_top=188
  local b="$work/banner"
  mkdir -p "$b"

  "$IM" -size ${w}x${h} gradient:'#16042a-#3f0b46' "$b/back.png"
  "$IM" -size 500x500 radial-gradient:'#6a1b66-#6a1b6600' -resize 440x190! "$b/glow.png"
  "$IM" "$b/back.png" "$b/glow.png" -geometry +6+30 -compose over -composite "$b/stage.png"

  # Spotlight cones from lamps under the valance; the left one lights the floor
  # by the rules button, the right one the start disc.
  draw ${w}x${h} "$b/beams.png" "
    fill rgba(255,236,190,0.30) polygon 62,24 76,24 150,${floor_top} 44,${floor_top}
    fill rgba(255,236,190,0.30) polygon 377,24 391,24 418,${floor_top} 318,${floor_top}
    fill rgba(255,236,190,0.40) ellipse 97,196 60,10 0,360
    fill rgba(255,236,190,0.40) ellipse 368,196 56,10 0,360"
  "$IM" "$b/beams.png" -blur 0x5 "$b/beams_soft.png"

  # Wooden floor boards running towards a point far behind the stage.
  local vx=226 vy=-420 planks="stroke rgba(60,20,0,0.55) stroke-width 1"
  local xb
  for xb in $(seq -260 34 720); do
    local xt=$(( vx + (xb - vx) * (floor_top - vy) / (h - vy) ))
    planks+=" line $xt,$floor_top $xb,$h"
  done
  "$IM" -size ${w}x$((h - floor_top)) gradient:'#d9741c-#8a3406' "$b/floor_base.png"
  draw ${w}x${h} "$b/planks.png" "$planks
    stroke rgba(255,210,140,0.9) stroke-width 2 line 0,$floor_top $w,$floor_top"
  "$IM" "$b/stage.png" "$b/floor_base.png" -geometry +0+$floor_top -compose over -composite \
        "$b/planks.png" -compose over -composite \
        "$b/beams_soft.png" -compose screen -composite "$b/lit.png"

  # Golden disc for the start label, with a rim and a soft shadow on the floor.
  draw ${w}x${h} "$b/disc_shadow.png" "fill rgba(40,0,20,0.55) ellipse 372,200 40,9 0,360"
  "$IM" "$b/disc_shadow.png" -blur 0x3 "$b/disc_shadow_soft.png"
  "$IM" -size 76x76 radial-gradient:'#fff6c8-#ffb300' "$b/disc_fill.png"
  draw 76x76 "$b/disc_mask.png" "fill white circle 38,38 38,2"
  "$IM" "$b/disc_fill.png" "$b/disc_mask.png" -alpha off -compose copy_opacity -composite "$b/disc_body.png"
  draw 76x76 "$b/disc_rim.png" "
    fill none stroke '#b35a00' stroke-width 3 circle 38,38 38,3
    stroke rgba(179,90,0,0.45) stroke-width 1 circle 38,38 38,8
    stroke rgba(255,255,255,0.8) stroke-width 1.5 arc 8,8 68,68 200,290"
  "$IM" "$b/lit.png" "$b/disc_shadow_soft.png" -compose over -composite \
        "$b/disc_body.png" -geometry +332+131 -composite \
        "$b/disc_rim.png" -geometry +332+131 -composite "$b/with_disc.png"

  # Confetti above the title band and beside the disc, never over the text areas.
  seed_random 20240611
  local confetti="" n=0 x y a c
  while [ $n -lt 60 ]; do
    next_random 349; x=$(( 52 + R ))
    next_random 160; y=$(( 26 + R ))
    if [ $y -ge 58 ] && [ $y -le 140 ] && [ $x -ge 78 ] && [ $x -le 422 ]; then continue; fi
    if [ $x -ge 320 ] && [ $y -ge 120 ]; then continue; fi
    if [ $x -ge 104 ] && [ $x -le 232 ] && [ $y -ge 170 ]; then continue; fi
    next_random 180; a=$R
    next_random ${#CONFETTI_COLOURS[@]}; c=${CONFETTI_COLOURS[$R]}
    next_random 3
    if [ $R -eq 0 ]; then
      confetti+=" push graphic-context translate $x,$y fill '$c' circle 0,0 1.8,0 pop graphic-context"
    else
      confetti+=" push graphic-context translate $x,$y rotate $a fill '$c' rectangle -3.5,-1.5 3.5,1.5 pop graphic-context"
    fi
    n=$(( n + 1 ))
  done
  draw ${w}x${h} "$b/confetti.png" "$confetti"

  # Curtains: vertical folds, tied back so the inner edge curves outwards.
  "$IM" -size 70x${h} xc: -fx "0.30+0.70*(0.5+0.5*sin(i*2*pi/14+1))^1.6" \
        \( -size 70x${h} gradient:'#e01836-#8c0a1e' \) -compose multiply -composite "$b/folds.png"
  draw 70x${h} "$b/curtain_mask.png" "fill white path 'M 0,0 L 66,0 C 50,70 28,120 34,150 C 40,180 58,205 62,${h} L 0,${h} Z'"
  "$IM" "$b/folds.png" "$b/curtain_mask.png" -alpha off -compose copy_opacity -composite "$b/curtain_left.png"
  draw 70x${h} "$b/tie.png" "fill '#ffcc33' stroke '#a86a00' stroke-width 1 roundrectangle 0,146 38,153 3,3 circle 37,149.5 41,149.5"
  "$IM" "$b/curtain_left.png" "$b/tie.png" -compose over -composite "$b/curtain_left_tied.png"
  "$IM" "$b/curtain_left_tied.png" -flop "$b/curtain_right.png"

  # Valance with golden swags, and strings of bulbs hanging below it.
  local valance="fill '#8e0a1e' rectangle 0,0 $w,15" swags="fill none stroke '#ffcc33' stroke-width 2"
  for x in $(seq 0 38 456); do
    valance+=" ellipse $(( x + 19 )),13 20,11 0,180"
    swags+=" ellipse $(( x + 19 )),13 20,11 0,180"
  done
  draw ${w}x40 "$b/valance.png" "$valance $swags"

  local wire="fill none stroke rgba(20,10,10,0.9) stroke-width 1 path 'M 40,28 Q 130,52 226,30 Q 322,52 413,28'"
  local bulbs="" i=0 t px py
  for t in $(seq 0 1 26); do
    # Points on the two quadratic curves of the wire, 13 bulbs each.
    local seg=$(( t / 13 )) u=$(( t % 13 ))
    local x0=$(( 40 + seg * 186 )) x1=$(( 130 + seg * 192 )) x2=$(( 226 + seg * 187 ))
    local y0=$(( 28 + seg * 2 )) y1=52 y2=$(( 30 - seg * 2 ))
    px=$(( ( (13-u)*(13-u)*x0 + 2*u*(13-u)*x1 + u*u*x2 ) / 169 ))
    py=$(( ( (13-u)*(13-u)*y0 + 2*u*(13-u)*y1 + u*u*y2 ) / 169 ))
    c=${BULB_COLOURS[$(( i % ${#BULB_COLOURS[@]} ))]}
    bulbs+=" fill '$c' circle $px,$(( py + 3 )) $px,$(( py + 6 ))"
    i=$(( i + 1 ))
  done
  draw ${w}x${h} "$b/wire.png" "$wire"
  draw ${w}x${h} "$b/bulbs.png" "$bulbs"
  "$IM" "$b/bulbs.png" -blur 0x4 -channel A -evaluate multiply 1.6 +channel "$b/bulb_glow.png"

  "$IM" "$b/with_disc.png" "$b/confetti.png" -compose over -composite \
        "$b/bulb_glow.png" -compose screen -composite \
        "$b/wire.png" -compose over -composite "$b/bulbs.png" -composite \
        "$b/curtain_left_tied.png" -geometry +0+0 -composite \
        "$b/curtain_right.png" -geometry +$(( w - 70 ))+0 -composite \
        "$b/valance.png" -geometry +0+0 -composite \
        -alpha off "${JPEG_OPTS[@]}" "$out"
}

# ---------------------------------------------------------------------------
# Background of the guessing window: dark grey, lighter towards the middle, with a
# fine grain and a faint brushed texture. It is stretched behind huge yellow and
# orange text, so it keeps quiet: no shapes, no colour.
make_background() {
  local out=$1 w=1200 h=768
  local g="$work/background"
  mkdir -p "$g"
  # A circular gradient squeezed to the picture gives an oval light in the middle.
  "$IM" -size ${w}x${w} radial-gradient:'#48484e-#151517' -resize ${w}x${h}! "$g/light.png"
  "$IM" -size ${w}x${h} xc:gray50 -seed 7 -attenuate 0.5 +noise Gaussian -colorspace Gray -blur 0x0.5 "$g/grain.png"
  "$IM" -size ${w}x${h} xc:gray50 -seed 11 +noise Gaussian -colorspace Gray -motion-blur 0x12+0 "$g/brushed.png"
  "$IM" "$g/light.png" "$g/grain.png" -compose softlight -composite \
        "$g/brushed.png" -compose softlight -composite \
        "${JPEG_OPTS[@]}" "$out"
}

# ---------------------------------------------------------------------------
# The emblem: a white speech bubble holding a big question mark. contact.jpg puts
# it on a golden sunburst badge whose corners match the start window's colour
# (253,47,0); caici.png puts it on a red rounded square with transparent corners.

# speech_bubble OUTPUT SCALE: the bubble and its question mark, drawn on a
# 256-pixel square and scaled by SCALE percent.
speech_bubble() {
  local b="$work/emblem"
  mkdir -p "$b"
  draw 256x256 "$b/bubble.png" "
    fill white roundrectangle 34,40 222,170 40,40
    fill white path 'M 70,160 L 52,222 L 124,166 Z'"
  "$IM" "$b/bubble.png" -background '#5a0010' -shadow 55x5+4+6 "$b/bubble_shadow.png"
  "$IM" -size 256x256 xc:none -font "$SANS_BOLD" -pointsize 132 -fill '#ee2a1c' \
        -stroke '#b0100c' -strokewidth 2 -gravity north -annotate +2+30 '?' "$b/mark.png"
  "$IM" -size 256x256 xc:none "$b/bubble_shadow.png" -geometry -6-4 -compose over -composite \
        "$b/bubble.png" -geometry +0+0 -composite "$b/mark.png" -composite \
        -resize "$2%" "$1"
}

make_contact() {
  local out=$1 s=188
  local c="$work/contact"
  mkdir -p "$c"
  local rays="fill rgba(255,255,255,0.28)" a
  for a in $(seq 0 30 330); do
    rays+=" push graphic-context translate 94,94 rotate $a polygon 0,0 -22,-140 22,-140 pop graphic-context"
  done
  "$IM" -size ${s}x${s} radial-gradient:'#ffe680-#ff8a00' "$c/gold.png"
  draw ${s}x${s} "$c/rays.png" "$rays"
  "$IM" "$c/gold.png" "$c/rays.png" -compose over -composite "$c/sun.png"
  draw ${s}x${s} "$c/badge_mask.png" "fill white roundrectangle 3,3 184,184 28,28"
  "$IM" "$c/sun.png" "$c/badge_mask.png" -alpha off -compose copy_opacity -composite "$c/badge.png"
  speech_bubble "$c/bubble.png" 60
  "$IM" -size ${s}x${s} xc:'rgb(253,47,0)' "$c/badge.png" -compose over -composite \
        "$c/bubble.png" -geometry +8+2 -composite \
        -font "$CJK_BOLD" -pointsize 34 -gravity southeast \
        -fill 'rgba(255,255,255,0.75)' -annotate +19+13 '猜词' -fill '#9a0a16' -annotate +20+14 '猜词' \
        -alpha off "${JPEG_OPTS[@]}" "$out"
}

make_icon() {
  local out=$1
  local i="$work/icon"
  mkdir -p "$i"
  "$IM" -size 256x256 gradient:'#ff6a1a-#d4102c' "$i/red.png"
  draw 256x256 "$i/shine.png" "fill rgba(255,255,255,0.18) roundrectangle 14,12 242,120 44,44"
  draw 256x256 "$i/mask.png" "fill white roundrectangle 8,8 247,247 52,52"
  "$IM" "$i/red.png" "$i/shine.png" -compose over -composite \
        "$i/mask.png" -alpha off -compose copy_opacity -composite "$i/tile.png"
  speech_bubble "$i/bubble.png" 100
  "$IM" "$i/tile.png" "$i/bubble.png" -compose over -composite "${PNG_OPTS[@]}" "PNG32:$out"
}

make_banner "$OUT/banner.jpg"
make_background "$OUT/background.jpg"
make_contact "$OUT/contact.jpg"
make_icon "$OUT/caici.png"

# The windows place these pictures by their exact sizes; the program embeds them, so
# each stays small.
status=0
for expected in banner.jpg:453x234:JPEG background.jpg:1200x768:JPEG contact.jpg:188x188:JPEG caici.png:256x256:PNG; do
  IFS=: read -r name size format <<<"$expected"
  actual=$("$IDENTIFY" -format "%wx%h %m" "$OUT/$name")
  bytes=$(stat -c %s "$OUT/$name")
  echo "$name $actual $bytes bytes"
  if [ "$actual" != "$size $format" ] || [ "$bytes" -gt 153600 ]; then
    echo "$name: wanted $size $format under 150 KiB" >&2
    status=1
  fi
done
exit $status
