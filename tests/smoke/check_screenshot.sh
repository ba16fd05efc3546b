#!/usr/bin/env bash
# Checks a screenshot of the window.
#   title: the background art stretched over the play surface, the title labels in white.
#   stage: white star pixels on the play surface, the energy gauge in the top band.
# Usage: check_screenshot.sh title|stage <screenshot of the window> <Back.bmp>
set -euo pipefail
scene=$1
shot=$2
back=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

# Counts the pure white pixels in a region WxH+X+Y of the screenshot.
white_in() {
    convert "$shot" -crop "$1" +repage -fill black +opaque white -fill white -opaque white \
        -format '%[fx:round(mean*w*h)]' info:
}

size=$(identify -format '%wx%h' "$shot")
[[ "$size" == "445x586" ]] || fail "screenshot is $size"

if [[ "$scene" == "stage" ]]; then
    stars=$(white_in 445x507+0+79)
    (( stars >= 1 )) || fail "no white star pixel on the play surface"
    gauge=$(convert "$shot" -crop 1x1+130+60 +repage -format '%[hex:u]' info:)
    # The gauge is a shaded tube: blue clearly outweighs red and green where the energy is.
    red=$((16#${gauge:0:2})) green=$((16#${gauge:2:2})) blue=$((16#${gauge:4:2}))
    (( blue > 2 * red && blue > green + 64 )) ||
        fail "the energy gauge is not blue at its left end: $gauge"
    echo "ok: the stage shows $stars white star pixels and the energy gauge"
    exit 0
fi

# The play surface starts at row 79 and shows the art scaled to 451 x 532 by nearest pixel.
# Compare a band with no label on it; a falling star may cross it, so allow a few pixels.
expected=$(mktemp --suffix=.png)
actual=$(mktemp --suffix=.png)
trap 'rm -f "$expected" "$actual"' EXIT
convert "$back" -filter point -resize '451x532!' -crop 445x60+0+400 +repage "$expected"
convert "$shot" -crop 445x60+0+479 +repage "$actual"
differing=$(compare -metric AE "$actual" "$expected" null: 2>&1 || true)
[[ "$differing" =~ ^[0-9]+$ ]] || fail "could not compare the background: $differing"
(( differing <= 40 )) || fail "$differing pixels of the background differ from the stretched art"
echo "ok: the play surface shows the stretched background ($differing pixels differ)"

title=$(white_in 396x64+22+191)
(( title > 300 )) || fail "the title label shows only $title white pixels"
total=$(white_in 300x40+94+391)
(( total > 100 )) || fail "the total score label shows only $total white pixels"
echo "ok: the title labels are drawn ($title and $total white pixels)"

