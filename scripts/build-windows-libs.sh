#!/usr/bin/env bash
# Builds the libraries the game needs for 64-bit Windows (SDL2, SDL2_image,
# libxmp, OpenAL) with MinGW-w64, from Debian's own source packages of the
# versions installed for the Linux build, into <root>/prefix; OpenAL from
# the game's own windows/openal when OpenAL Soft cannot be had.
# A library is built once per source version: <root>/stamps remembers it.
# The sources come through apt with a private source list and state under
# <root>/apt, so the system's apt configuration is left alone.
# Usage: scripts/build-windows-libs.sh <root>
set -euo pipefail
shopt -s inherit_errexit

root=$(realpath -m "${1:?usage: $0 <root>}")
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$root/prefix
apt_dir=$root/apt
jobs=${JOBS:-2}
host=x86_64-w64-mingw32
toolchain=$here/cmake/mingw-w64.cmake
mkdir -p "$prefix" "$root/stamps" "$root/src" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
  -o APT::Sandbox::User=root)

# "name=version" of the source package the installed Debian package was built from.
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}' "$1"; }

# Fetches and unpacks the source package into a fresh folder and prints that
# folder. The lists of sources are fetched again when an hour old.
fetch() {
  local spec=$1 name=${1%%=*} work=$root/src/${1%%=*}
  if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*_Sources*' -mmin -60)" ]; then
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    cat >"$apt_dir/sources.list" <<LIST
deb-src http://deb.debian.org/debian $codename main
deb-src http://deb.debian.org/debian $codename-updates main
deb-src http://deb.debian.org/debian-security $codename-security main
LIST
    apt-get "${apt_opts[@]}" -qq update >&2
  fi
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get "${apt_opts[@]}" -qq source "$spec" >&2)
  find "$work" -mindepth 1 -maxdepth 1 -type d -name "$name*" -print -quit
}

# Runs "build_<library> <name=version>" for the source of the Debian package
# $2 unless that version is already built. A build that returns 3 stands in
# for the library this time only and is not remembered; any other failure
# stops the package build here, with the library named.
built() {
  local library=$1 spec
  spec=$(source_of "$2")
  local stamp=$root/stamps/${spec/=/_}
  if [ -e "$stamp" ]; then
    echo "windows: $spec already built"
    return
  fi
  echo "windows: building $spec"
  local status=0
  "build_$library" "$spec" || status=$?
  case $status in
    0) touch "$stamp" ;;
    3) ;;
    *)
      echo "windows: ERROR: $spec does not build for Windows" >&2
      exit 1
      ;;
  esac
}

cmake_build() {
  local src=$1 name=$2
  shift 2
  cmake -S "$src" -B "$root/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKOLVETRA_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null &&
    cmake --build "$root/build/$name" -j "$jobs" >/dev/null &&
    cmake --install "$root/build/$name" >/dev/null
}

build_sdl2() {
  local src
  src=$(fetch "$1")
  cmake_build "$src" sdl2 -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
}

build_sdl2_image() {
  local src
  src=$(fetch "$1")
  # Pictures are TGA, JPEG and PNG; stb_image reads them and the bundled
  # deflater writes the PNG screenshots, so no other library is needed.
  local off=()
  for format in AVIF BMP GIF JXL LBM PCX PNM QOI SVG TIF WEBP XCF XPM XV; do off+=("-DSDL2IMAGE_$format=OFF"); done
  cmake_build "$src" sdl2_image -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF \
    -DSDL2IMAGE_TGA=ON -DSDL2IMAGE_JPG=ON -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_JPG_SAVE=OFF "${off[@]}" || return 1
  # Its package file would still look for libjpeg and libpng, which stb_image
  # replaces inside the DLL.
  sed -i -E 's/^set\(SDL2IMAGE_(JPG|PNG) +ON\)/set(SDL2IMAGE_\1 OFF)/' "$prefix/lib/cmake/SDL2_image/SDL2_imageConfig.cmake"
}

build_libxmp() {
  local src
  src=$(fetch "$1")
  mkdir -p "$root/build/libxmp"
  (cd "$src" && ./configure --host=$host --prefix="$prefix" --enable-static=no >/dev/null &&
    make -j "$jobs" >/dev/null && make install >/dev/null)
}

build_openal() {
  local src
  if src=$(fetch "$1") && [ -n "$src" ] &&
    cmake_build "$src" openal -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF -DALSOFT_NO_CONFIG_UTIL=ON; then
    echo "windows: OpenAL32.dll is OpenAL Soft $1"
    return
  fi
  # Without OpenAL Soft the package gets the game's own OpenAL32.dll, which
  # mixes what the game plays onto SDL's audio device, built against the
  # Linux build's headers of the same version. It is not remembered, so the
  # next build tries OpenAL Soft again.
  echo "windows: OpenAL Soft cannot be fetched or built; OpenAL32.dll is the game's own mixer (windows/openal)"
  mkdir -p "$prefix/include/AL"
  cp -p /usr/include/AL/al.h /usr/include/AL/alc.h /usr/include/AL/alext.h /usr/include/AL/efx.h "$prefix/include/AL/"
  cmake_build "$here/windows/openal" openal-own ||
    { echo "windows: ERROR: the game's own OpenAL32.dll does not build" >&2 && exit 1; }
  return 3
}

built sdl2 libsdl2-dev
built sdl2_image libsdl2-image-dev
built libxmp libxmp-dev
built openal libopenal-dev
