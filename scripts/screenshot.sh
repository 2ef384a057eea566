#!/bin/sh
# Starts QVX under a virtual X server and writes two PNGs of its main window: as it opens, and
# after a search on the sample corpus (rows, hit counter, the first text marked in the preview).
# Runs a window manager if openbox is installed, so that the window has its frame.
# Needs the Debian packages xvfb, xdotool and imagemagick besides the build's own.
# Usage: scripts/screenshot.sh [start.png [search.png]]
#        (default: docs/screenshot.png and docs/screenshot-search.png)
set -eu

cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
searchOut=${2:-docs/screenshot-search.png}
build=${BUILD_DIR:-build}
display=:${SCREENSHOT_DISPLAY:-97}
# The caption names the version that project() of the top CMakeLists.txt sets.
version=$(sed -n 's/^project(QVX VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "Die Version fehlt in project() von CMakeLists.txt." >&2; exit 1; }
caption="QVX - Subkorpusbildung auf Basis von TXT-Verzeichnissen (v. $version)"
samples=$(pwd)/samples
target=$(mktemp -d)

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null ||
        { echo "$tool fehlt (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build"
cmake --build "$build" --target qvx -j2
qvx_bin=$(pwd)/$build/app/qvx

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
wm=
qvx=
trap 'kill $qvx $wm $xvfb 2>/dev/null || true; rm -rf "$target"' EXIT INT TERM
sleep 1
export DISPLAY=$display
if command -v openbox >/dev/null; then
    openbox &
    wm=$!
    sleep 1
fi

# Waits until a window whose name begins so is mapped, at most ten seconds.
waitFor() {
    tries=0
    until xdotool search --onlyvisible --name "^$1" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || { echo "Das Fenster \"$1\" erschien nicht." >&2; exit 1; }
        sleep 0.2
    done
    sleep 0.5
}

# The chooser opens at the working directory: the first source directory.
(cd "$samples/zeitungen" && exec "$qvx_bin") &
qvx=$!
waitFor "QVX - Subkorpusbildung"
sleep 0.5
mkdir -p "$(dirname "$out")" "$(dirname "$searchOut")"
import -window "$caption" "$out"
echo "$out"

window=$(xdotool search --onlyvisible --name "^QVX - Subkorpusbildung" | head -1)
# Clicks at a point of the window's client area.
clickAt() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.3
}
typeInto() {
    clickAt "$1" "$2"
    xdotool type --delay 20 "$3"
}

clickAt 447 162                               # "[...]" beside the source list
waitFor "Verzeichnis ausw"
xdotool key Return                            # the working directory: zeitungen
sleep 0.5
clickAt 447 162
waitFor "Bestätigen"
xdotool key alt+n                             # keep the list
waitFor "Verzeichnis ausw"
xdotool key alt+n ctrl+a
xdotool type --delay 20 "$samples/briefe"
xdotool key Return
sleep 0.5
typeInto 200 220 "$target/Subkorpus"
typeInto 200 300 '\bHeute\b'
typeInto 200 350 'Morgen'
typeInto 200 413 'Zeit'
clickAt 428 549                               # "Suche"
sleep 1
clickAt 936 40                                # sort by G, highest first
clickAt 600 58                                # the first row into the preview
xdotool mousemove --window "$window" 700 300  # away from the list, no tooltip
sleep 1
import -window "$caption" "$searchOut"
echo "$searchOut"
