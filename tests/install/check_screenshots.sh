#!/bin/sh
# Runs the README's screenshot script without a display against a build
# tree, and checks that it makes every picture the README shows, each an
# indexed PNG of the 640 x 480 screen and small.
#   check_screenshots.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
. "$(dirname "$0")/lib.sh"
out=$scratch

env -u DISPLAY -u WAYLAND_DISPLAY VXR="$build/src/app/vxr" VXR_TASK="$build/examples/lab/VXR.DAT" \
    sh "$source/scripts/screenshots" "$out"

shown=$(grep -o 'docs/[a-z0-9-]*\.png' "$source/README.md" | sort -u)
[ -n "$shown" ] || fail "the README shows no screenshots"
for picture in $shown; do
    file="$out/$(basename "$picture")"
    [ -f "$file" ] || { fail "$picture is not made by scripts/screenshots"; continue; }
    # The PNG header: width and height at bytes 16 to 23, colour type at 25.
    header=$(od -An -tx1 -j16 -N10 "$file" | tr -d ' \n')
    size=$(echo "$header" | cut -c1-16)
    colour_type=$(echo "$header" | cut -c19-20)
    [ "$size" = 00000280000001e0 ] && [ "$colour_type" = 03 ] ||
        fail "$picture is not an indexed 640 x 480 PNG (header $header)"
    [ "$(wc -c < "$file")" -lt 100000 ] || fail "$picture is larger than 100 kB"
done

finish
