#!/usr/bin/env bash
# The launcher on a real X screen: its frame is centred, fully transparent
# frame pixels show the desktop, the round buttons show over the frame, and
# the page dialog's key colour never shows. Run under with_xvfb.sh.
set -euo pipefail
bin=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
export WINEPREFIX=${LAUNCHER_WINEPREFIX:-$root/build/wineprefix}
cleanup() {
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && exec "$root/scripts/wine" "$bin/launcher.exe" >/dev/null 2>&1) &

frame_geometry() {
    xwininfo -name Voskar 2>/dev/null |
        awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF}
             END{if (w) print x, y, w, h}' || true
}
geometry=
for _ in $(seq 150); do
    geometry=$(frame_geometry)
    [ -n "$geometry" ] && break
    sleep 0.2
done
[ -n "$geometry" ] || { echo "the launcher's frame never appeared" >&2; exit 1; }
read -r x y w h <<<"$(frame_geometry)"
pixel() { convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
frame_pixel=$(convert "$root/res/frame.png" -format '%[hex:p{500,300}]' info: | cut -c1-6)
frame_under_button=$(convert "$root/res/frame.png" -format '%[hex:p{974,67}]' info: | cut -c1-6)
# Start-up is done when the frame's picture is on the screen with the round
# buttons over it. Wine's desktop start resets the root window's colour, so
# it is set again while waiting.
for _ in $(seq 60); do
    xsetroot -solid '#3a5f7d'
    read -r x y w h <<<"$(frame_geometry)"
    import -window root "$work/screen.png"
    if [ "$(pixel $((x + 500)) $((y + 300)))" = "$frame_pixel" ] &&
        [ "$(pixel $((x + 974)) $((y + 67)))" != "$frame_under_button" ] &&
        [ "$(pixel $((x + 2)) $((y + 2)))" = "3A5F7D" ]; then
        break
    fi
    sleep 0.5
done

failures=0
check() {
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: got $2, want $3" >&2
        failures=$((failures + 1))
    fi
}
check "frame size" "${w}x$h" "1040x667"
check "frame left" "$x" "$(((1280 - 1040) / 2))"
check "frame top" "$y" "$(((800 - 667) / 2))"
# The frame's outermost pixels are fully transparent: the desktop shows.
check "transparent corner" "$(pixel $((x + 2)) $((y + 2)))" "3A5F7D"
check "transparent edge" "$(pixel $((x + 520)) $((y + 1)))" "3A5F7D"
# Inside, the frame shows, through the invisible page dialog.
check "frame panel" "$(pixel $((x + 500)) $((y + 300)))" "$frame_pixel"
# The close button's centre is not the frame's own pixel there.
button_centre=$(pixel $((x + 974)) $((y + 67)))
if [ "$button_centre" = "$frame_under_button" ]; then
    echo "FAIL close button: not drawn over the frame" >&2
    failures=$((failures + 1))
fi
yellow=$(convert "$work/screen.png" -alpha off -fill black +opaque '#FFFF00' -fill white -opaque '#FFFF00' \
    -format '%[fx:round(mean*w*h)]' info:)
check "key colour pixels" "$yellow" "0"

if [ "$failures" -gt 0 ]; then
    cp "$work/screen.png" "$root/build/screenshot-test-failure.png" 2>/dev/null || true
    echo "screen saved to build/screenshot-test-failure.png" >&2
    echo "0 passed, $failures failed"
    exit 1
fi
echo "7 passed, 0 failed"
