#!/usr/bin/env bash
# Builds the Debian package from a Release build, validates the desktop entry and the AppStream
# metainfo, installs the package on this machine and starts the installed program offscreen: it
# must still be running after three seconds. Needs root or sudo for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${QVX_JOBS:-2}"
build=build-release
stage="$build/stage"
app_id=de.qvx_korpus.qvx

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

fail() {
    echo "package-test: $*" >&2
    exit 1
}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF -DQVX_BUILD_BENCH=OFF
cmake --build "$build" -j"$jobs"

# Every file that the package must hold, relative to the prefix.
expected=(
    bin/qvx
    bin/qvx-cli
    share/man/man1/qvx-cli.1.gz
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    share/icons/hicolor/scalable/apps/qvx.svg
    share/qvx/samples/zeitungen/wetter.txt
    share/qvx/samples/briefe/wetter.txt
    "share/qvx/samples/zeitungen/bürgerfest.txt"
)
for size in 16 24 32 48 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/qvx.png")
done

rm -rf "$stage"
cmake --install "$build" --prefix "$stage"
for file in "${expected[@]}"; do
    [ -f "$stage/$file" ] || fail "cmake --install did not install $file"
done
desktop-file-validate "$stage/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$stage/share/metainfo/$app_id.metainfo.xml"
# The metainfo together with the desktop entry and the icon it launches.
appstreamcli validate-tree --no-net "$stage"

rm -f "$build"/qvx_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/qvx_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected exactly one qvx_<version>_amd64.deb in $build"
deb="${debs[0]}"
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y --reinstall "./$deb"

installed=$(dpkg -L qvx)
for file in "${expected[@]}"; do
    grep -qxF "/usr/$file" <<<"$installed" || fail "dpkg -L qvx does not list /usr/$file"
done

# The command-line program searches the installed samples.
found=$(/usr/bin/qvx-cli -q -x Morgen -w Zeit '\bHeute\b' /usr/share/qvx/samples/zeitungen \
    /usr/share/qvx/samples/briefe | wc -l)
[ "$found" -eq 6 ] || fail "the installed qvx-cli found $found texts in the samples, not 6"
zgrep -q '^\.TH QVX-CLI 1' /usr/share/man/man1/qvx-cli.1.gz ||
    fail "the manual page of qvx-cli is not a manual page"

# The program reads no command line and never ends by itself, so it is ended from outside.
log=$(mktemp)
QT_QPA_PLATFORM=offscreen /usr/bin/qvx >"$log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    cat "$log" >&2
    fail "the installed qvx ended within three seconds (exit status $status)"
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
cat "$log"
rm -f "$log"
echo "package-test: the installed qvx ran for three seconds"
