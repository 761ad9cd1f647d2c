#!/usr/bin/env bash
# The Windows package, unpacked and run under Wine, beside the Linux build:
# its DLLs are complete, a headless screenshot has the Linux build's pixels,
# whole races end with the same result lines at the same seed, and a profile
# named in Cyrillic letters is saved and listed again as on Linux.
# Usage: tests/windows.sh <folder holding kolvetra-*-win64.zip> <Linux build folder>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
package=$(realpath "${1:?usage: $0 <package folder> <Linux build folder>}")
linux=$(realpath "${2:?usage: $0 <package folder> <Linux build folder>}")
zip=$(ls "$package"/kolvetra-*-win64.zip | head -n 1)
work=$package/test
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && cmake -E tar xf "$zip")
game=$(ls -d "$work"/kolvetra-*-win64)

"$here/../scripts/check-windows-dlls.sh" "$game"

# Wine in a prefix of its own, kept between runs (making one takes seconds);
# SDL's dummy video driver needs no display.
export WINEPREFIX=$package/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
windows() { "$wine" "$game/kolvetra.exe" --headless --seed 20261208 "$@"; }
linux() { "$linux/kolvetra" --headless --seed 20261208 --data "$linux/data" "$@"; }
failed=0
fail() {
  echo "windows: FAILED: $*" >&2
  failed=1
}

# The first frames, pixel for pixel.
windows --frames 60 --user-dir "$work/w-start" --screenshot "$work/w-start.png"
linux --frames 60 --user-dir "$work/l-start" --screenshot "$work/l-start.png"
"$here/same_pixels.py" "$work/l-start.png" "$work/w-start.png" || fail "the first frames differ"

# Whole races.
for track in beach1 city2r; do
  w=$(windows --no-draw --race $track --autopilot --until-result --user-dir "$work/w-$track" | tr -d '\r' | grep '^result')
  l=$(linux --no-draw --race $track --autopilot --until-result --user-dir "$work/l-$track" | grep '^result')
  echo "windows: $w"
  [ "$w" = "$l" ] || fail "$track ends '$w' on Windows, '$l' on Linux"
done

# A Cyrillic profile in a Cyrillic folder: the same files as on Linux, then
# listed again.
windows --frames 50 --input "$here/windows/create-profile.txt" --user-dir "$work/w-профиль"
linux --frames 50 --input "$here/windows/create-profile.txt" --user-dir "$work/l-профиль"
[ -f "$work/w-профиль/prf/Иван" ] || fail "no profile file prf/Иван"
diff -r "$work/l-профиль" "$work/w-профиль" || fail "the saved files differ"
windows --frames 30 --input "$here/windows/load-profile.txt" --user-dir "$work/w-профиль" --screenshot "$work/w-list.png"
linux --frames 30 --input "$here/windows/load-profile.txt" --user-dir "$work/l-профиль" --screenshot "$work/l-list.png"
"$here/same_pixels.py" "$work/l-list.png" "$work/w-list.png" || fail "the profile list differs"

[ $failed -eq 0 ] && echo "windows: the package runs as the Linux build does"
exit $failed
