#!/usr/bin/env bash
# Cross-builds yzo-script.exe and yzo.exe for 64-bit Windows on Debian.
#   scripts/build-windows.sh [--deps] [--wx] [--script-only] [--package]
#     --deps         only install the tools and fetch the wxWidgets source
#     --wx           stop once the static wxMSW library is built (or found)
#     --script-only  build yzo-script.exe without the window (no wxMSW needed)
#     --package      make the installer and the zip of a finished build
# By default: the wxMSW library (or its cached copy), both programs and their
# tests, then the package: an NSIS installer (yzo-VERSION-setup.exe) and a
# portable zip (yzo-VERSION.zip) in the build folder's package/.
# The static wxMSW library is built once into a cache folder outside the
# checkout, named after its version and a digest of its configure flags, and
# reused by every later run; YZO_CACHE moves the cache (default ~/.cache/yzo).
# YZO_WINDOWS_BUILD names the CMake build folder (default build-windows).
# YZO_WX_JOBS sets the parallel jobs of the wxMSW build (default 1).
# YZO_WINDOWS_GUI=OFF leaves the window (yzo.exe) out.
# The tests then run under Wine with: cd build-windows && ctest -L windows
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

wx_version=3.2.2
# Only what yzo uses: no image libraries, no HTML, no optional controls;
# SVG must go too, as it needs the PNG library.
wx_flags=(
  --host=x86_64-w64-mingw32 --with-msw --disable-shared --enable-unicode --disable-debug
  --enable-optimise --without-libpng --without-libjpeg --without-libtiff --without-zlib
  --without-expat --without-liblzma --without-opengl --with-regex=builtin --disable-svg
  --disable-xrc --disable-html --disable-htmlhelp --disable-stc --disable-richtext
  --disable-propgrid --disable-ribbon --disable-aui --disable-webview --disable-mediactrl
  --disable-webrequest --enable-accessibility
)
cache=${YZO_CACHE:-$HOME/.cache/yzo}
wx_key=$(printf '%s\n' "$wx_version" "${wx_flags[@]}" | sha256sum | cut -c1-12)
wx_prefix=$cache/wxmsw-$wx_version-$wx_key
build=${YZO_WINDOWS_BUILD:-$root/build-windows}

packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis zip cmake make dpkg-dev xz-utils)

# Installs the packages above that are missing (as root, or through sudo).
install_tools() {
  local missing=() p sudo=""
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
}

# Adds a deb-src entry for each archive the machine installs from, so that
# apt-get source finds the wxWidgets source package.
add_source_archives() {
  local list=/etc/apt/sources.list.d/yzo-deb-src.sources sudo=""
  grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  sed -e 's/^Types: *deb *$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$list" >/dev/null
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
}

# Unpacks the wxWidgets source into the cache; prints its folder.
fetch_wx_source() {
  local src=$cache/src/wxwidgets3.2-$wx_version
  if [ ! -f "$src/configure" ]; then
    add_source_archives >&2
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -qq --download-only wxwidgets3.2 >&2)
    rm -rf "$src"
    mkdir -p "$src"
    tar -xf "$(ls "$cache"/src/wxwidgets3.2_"$wx_version"*.orig.tar.* | head -n 1)" -C "$src" --strip-components=1 --no-same-owner
  fi
  echo "$src"
}

# Builds and installs the static wxMSW library into $wx_prefix unless it is there.
build_wx() {
  if [ -x "$wx_prefix/bin/wx-config" ]; then
    echo "wxMSW $wx_version found in $wx_prefix"
    return 0
  fi
  local src objdir
  src=$(fetch_wx_source)
  # A build that was stopped goes on where it was: its objects are kept.
  objdir=$cache/obj/wxmsw-$wx_version-$wx_key
  mkdir -p "$objdir"
  echo "Building wxMSW $wx_version into $wx_prefix (takes a while; log in $objdir/make.log)"
  if [ ! -f "$objdir/config.status" ]; then
    (cd "$objdir" && "$src/configure" --prefix="$wx_prefix" "${wx_flags[@]}" > configure.log)
  else
    # The object being compiled when the build was stopped may be cut short:
    # the newest one is made again.
    find "$objdir" -maxdepth 1 -name '*.o' -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2- | xargs -r rm -f
  fi
  (cd "$objdir" && nice -n 10 make -j"${YZO_WX_JOBS:-1}" >> make.log 2>&1 && make install > install.log)
  rm -rf "$objdir"
}

# Configures and builds the programs with the MinGW toolchain file.
build_yzo() {
  local gui=$1 launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DYZO_TESTS=ON -DYZO_GUI="$gui" "${launcher[@]}" \
    -DwxWidgets_CONFIG_EXECUTABLE="$wx_prefix/bin/wx-config"
  cmake --build "$build" -j"${YZO_JOBS:-1}"
}

# Installs the build into package/yzo of the build folder, then makes the
# installer and the portable zip of that tree beside it.
package_yzo() {
  local out=$build/package version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  rm -rf "$out"
  cmake --install "$build" --prefix "$out/yzo" --strip
  makensis -V2 -DVERSION="$version" -DSTAGE="$out/yzo" -DOUTFILE="$out/yzo-$version-setup.exe" \
    "$root/packaging/yzo.nsi"
  # Names with accents are stored as UTF-8 and marked so.
  (cd "$out" && LC_ALL=C.UTF-8 zip -qr "yzo-$version.zip" yzo)
  echo "Made $out/yzo-$version-setup.exe and $out/yzo-$version.zip"
}

mode=${1:-all}
install_tools
case "$mode" in
  --deps) fetch_wx_source >/dev/null ;;
  --wx) build_wx ;;
  --script-only) build_yzo OFF ;;
  --package) package_yzo ;;
  all) build_wx; build_yzo "${YZO_WINDOWS_GUI:-ON}"; package_yzo ;;
  *) echo "usage: $0 [--deps|--wx|--script-only|--package]" >&2; exit 2 ;;
esac
