#!/usr/bin/env bash
# Installs the game from a build tree and checks the result as a desktop and
# a distribution would: `install BUILD` installs into a temporary prefix,
# `package BUILD` makes the Debian package and unpacks it into a throwaway
# root. Either way the installed program then runs headless without --data.
set -euo pipefail

mode=$1
build=$(cd "$2" && pwd)
app=io.github.kolvetra.Kolvetra
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The files every install must hold, relative to the prefix.
expected=(
    bin/kolvetra
    share/kolvetra/fnt/font.tga
    share/kolvetra/sfx/menu.xm
    share/kolvetra/gfx/obj/list.txt
    share/kolvetra/wld/beach1.wld
    share/applications/$app.desktop
    share/metainfo/$app.metainfo.xml
    share/icons/hicolor/48x48/apps/$app.png
    share/icons/hicolor/64x64/apps/$app.png
    share/icons/hicolor/128x128/apps/$app.png
    share/icons/hicolor/256x256/apps/$app.png
    share/icons/hicolor/scalable/apps/$app.svg
    share/man/man6/kolvetra.6
)

# Runs the installed game headless for a few frames of the main menu, with
# a fresh player's folder and no --data, and checks its picture.
run_installed() {
    local prefix=$1
    "$prefix/bin/kolvetra" --version | grep -qx "kolvetra [0-9.]*" || fail "--version"
    local shot=$work/shot-$RANDOM.png
    "$prefix/bin/kolvetra" --headless --seed 1 --frames 30 --user-dir "$work/player" --screenshot "$shot" \
        2>"$work/stderr" || fail "the installed game did not run: $(cat "$work/stderr")"
    ! grep -q "no game data" "$work/stderr" || fail "the installed game found no data: $(cat "$work/stderr")"
    file "$shot" | grep -q "PNG image data, 800 x 600" || fail "no screenshot from the installed game"
}

case $mode in
install)
    # Staged as a distribution does it: the prefix under DESTDIR.
    export DESTDIR=$work/stage
    prefix=$DESTDIR/opt/kolvetra
    cmake --install "$build" --prefix /opt/kolvetra >/dev/null
    for f in "${expected[@]}"; do
        [ -f "$prefix/$f" ] || fail "not installed: $f"
    done
    [ -z "$(find "$prefix/share/kolvetra" -type f -perm /0022)" ] || fail "data writable by others"
    file "$prefix/share/icons/hicolor/48x48/apps/$app.png" | grep -q "48 x 48" || fail "48 px icon"
    file "$prefix/share/icons/hicolor/256x256/apps/$app.png" | grep -q "256 x 256" || fail "256 px icon"
    desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
    version=$("$prefix/bin/kolvetra" --version | cut -d' ' -f2)
    grep -qx "X-Kolvetra-Version=$version" "$prefix/share/applications/$app.desktop" || fail "desktop entry version"
    grep -q "<release version=\"$version\" date=" "$prefix/share/metainfo/$app.metainfo.xml" ||
        fail "metadata version"
    run_installed "$prefix"
    # Moved elsewhere, the install still finds its data.
    mv "$prefix" "$work/moved"
    run_installed "$work/moved"
    mv "$work/moved" "$prefix"
    # The program alone names every place it looked for its data.
    mkdir -p "$work/lone/bin"
    cp "$prefix/bin/kolvetra" "$work/lone/bin/"
    status=0
    "$work/lone/bin/kolvetra" --headless --frames 1 --user-dir "$work/player" 2>"$work/stderr" || status=$?
    [ "$status" -eq 1 ] || fail "a game without data ended with status $status"
    grep -qF "cannot find the game data; looked in $work/lone/bin/data/, $work/lone/share/kolvetra/, /" \
        "$work/stderr" || fail "the message for missing data: $(cat "$work/stderr")"
    [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "more than one message for missing data: $(cat "$work/stderr")"
    # Uninstalling removes every installed file and the emptied data folders.
    cmake -DMANIFEST="$build/install_manifest.txt" -P "$(dirname "$0")/../cmake/Uninstall.cmake" >/dev/null
    left=$(find "$prefix" -type f)
    [ -z "$left" ] || fail "left after uninstall: $left"
    [ ! -e "$prefix/share/kolvetra" ] || fail "data folder left after uninstall"
    [ ! -e "$prefix/share/doc/kolvetra" ] || fail "documentation folder left after uninstall"
    ;;
package)
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
        fail "cpack: $(cat "$work/cpack.log")"
    deb=$(ls "$work"/out/kolvetra_*.deb)
    listing=$(dpkg-deb -c "$deb")
    for f in "${expected[@]}"; do
        grep -q " \./usr/$f\$" <<<"$listing" || fail "not in the package: /usr/$f"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libsdl2 libsdl2-image libopenal1 libxmp4; do
        grep -q "$lib" <<<"$depends" || fail "no dependency on $lib: $depends"
    done
    dpkg -x "$deb" "$work/root"
    run_installed "$work/root/usr"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "ok: $mode"
