#!/bin/sh
# The installed game: `cmake --install` into a fresh prefix puts every file where the desktop
# looks, the freedesktop tools accept the menu entry and the software centre's description, no
# path of the source tree is left in the program, and the installed program plays a series from a
# fresh data folder, finding its help and packages from its own folder, without noise about sound.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$(cd "$2" && pwd -P)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" --strip > "$work/install.log" || { cat "$work/install.log"; fail "cmake --install failed"; }

share=$prefix/share
for file in bin/tarvo3 share/applications/tarvo3.desktop share/metainfo/org.tarvotrio.tarvo3.metainfo.xml \
    share/tarvo-trio/help/index.html share/tarvo-trio/packages/QobRadio.rad \
    share/icons/hicolor/scalable/apps/tarvo3.svg; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for side in 16 22 24 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${side}x$side/apps/tarvo3.png" ] || fail "no ${side}px icon"
done

desktop-file-validate "$share/applications/tarvo3.desktop" || fail "the menu entry is not valid"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.tarvotrio.tarvo3.metainfo.xml" ||
    fail "the metainfo is not valid"

if grep -q -F -a "$source/" "$prefix/bin/tarvo3"; then
    grep -o -F -a "$source/[^[:cntrl:]]*" "$prefix/bin/tarvo3" | head -5 >&2
    fail "the installed program names the source tree"
fi

# The build tree is gone from the program's view: it must run from the prefix alone.
data=$work/data
QT_QPA_PLATFORM=offscreen TMPDIR=$work "$prefix/bin/tarvo3" --data-dir "$data" --autoplay 1 \
    > "$work/out.log" 2> "$work/err.log" || { cat "$work/out.log" "$work/err.log"; fail "the installed game failed"; }
grep -q "autoplay: 1 games" "$work/out.log" || { cat "$work/out.log"; fail "the installed game played no series"; }
[ -f "$data/Tarvo3.clb" ] || { ls "$data"; fail "no records in the fresh data folder"; }
if grep -E -q "ALSA lib|fluidsynth:|pa_simple" "$work/err.log"; then
    cat "$work/err.log" >&2
    fail "sound libraries spoke on the terminal"
fi
echo "installed and played from $prefix"
