#!/bin/sh
# Starts QVX under a virtual X server and writes a PNG of its main window.
# Needs the Debian packages xvfb, x11-utils and imagemagick besides the build's own.
# Usage: scripts/screenshot.sh [output.png]   (default: docs/screenshot.png)
set -eu

cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
build=${BUILD_DIR:-build}
display=:${SCREENSHOT_DISPLAY:-97}
caption="QVX - Subkorpusbildung auf Basis von TXT-Verzeichnissen (v. 3.4)"

for tool in Xvfb xwininfo import; do
    command -v "$tool" >/dev/null || { echo "$tool fehlt (xvfb, x11-utils, imagemagick)" >&2; exit 1; }
done

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build"
cmake --build "$build" --target qvx -j2

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
trap 'kill $qvx $xvfb 2>/dev/null || true' EXIT INT TERM
sleep 1

DISPLAY=$display "$build/app/qvx" &
qvx=$!

# Wait until the window is mapped, at most ten seconds.
tries=0
until DISPLAY=$display xwininfo -name "$caption" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "Das Fenster von QVX erschien nicht." >&2; exit 1; }
    sleep 0.2
done
sleep 1

mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window "$caption" "$out"
echo "$out"
