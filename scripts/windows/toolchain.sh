#!/usr/bin/env bash
# Builds, as root on Debian 12, every library the Windows program links, for
# x86_64-w64-mingw32, from Debian's own source packages: zlib (Debian ships it
# built), libffi, PCRE2, gettext's libintl, GLib, libxml2, libgsf, libzip,
# GMP, libcsv, GoogleTest and qtbase. Debian's mingw-w64 compilers in the
# posix thread model build them; Debian's Qt tools serve as Qt's host tools.
#
# The result is cached in a folder named after a hash of this script and of
# the CMake toolchain file, so a second run returns at once:
#   ${GIPFELFLUSS_WINDOWS_CACHE:-/var/cache/gipfelfluss-windows}/toolchain-<hash>
# Progress goes to standard error; the folder's path is the one line on
# standard output. A failed run keeps its finished steps and goes on from
# there the next time.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

cache=${GIPFELFLUSS_WINDOWS_CACHE:-/var/cache/gipfelfluss-windows}
hash=$(cat "$here/toolchain.sh" "$here/mingw-w64.cmake" | sha256sum | cut -c1-16)
prefix=$cache/toolchain-$hash
work=$cache/work-$hash

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
exec 3>&1 1>&2

say() { echo "== windows toolchain: $*"; }
triplet=x86_64-w64-mingw32
jobs=$(nproc)

# --- Debian packages: compilers, build tools, Wine and NSIS ---------------
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  libz-mingw-w64-dev
  dpkg-dev ca-certificates curl xz-utils
  build-essential cmake ninja-build meson pkg-config autoconf automake libtool gettext python3
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgtest-dev
  wine wine64 nsis zip unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# apt-get source needs the archive's source lists beside its binary ones.
sources=/etc/apt/sources.list.d/gipfelfluss-deb-src.sources
if [ ! -f "$sources" ] && ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat >"$sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  updated=no
else
  updated=yes
fi
if ((${#missing[@]})) || [ "$updated" = no ]; then
  say "installing ${missing[*]:-the source lists}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  ((${#missing[@]})) && apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

mkdir -p "$work/stamps" "$prefix"
cd "$work"
export PATH=$prefix/bin:$PATH
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig:/usr/$triplet/lib/pkgconfig
export PKG_CONFIG_PATH=
export CC=$triplet-gcc-posix CXX=$triplet-g++-posix
export CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"

# step NAME: true when NAME is still to be done; done_step NAME marks it done.
step() { [ ! -f "stamps/$1" ] && say "$1"; }
done_step() { touch "stamps/$1"; }

# source PACKAGE [VERSION]: unpacks Debian's source package (with Debian's
# patches) once and prints its folder. The pinned version serves where the
# archive lacks a file of the newest upload.
source_dir() {
  local package=$1 version=${2:-}
  local dir
  dir=$(find "$work/src-$package" -mindepth 1 -maxdepth 1 -type d 2>/dev/null | head -n 1)
  if [ -z "$dir" ]; then
    rm -rf "$work/src-$package" && mkdir -p "$work/src-$package"
    (cd "$work/src-$package" && { apt-get source -q "$package" || { [ -n "$version" ] && rm -rf ./* && apt-get source -q "$package=$version"; }; }) >&2
    dir=$(find "$work/src-$package" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  fi
  echo "$dir"
}

# libgsf: bookworm's 1.14.50 original tarball is missing from the archive's
# pool, so the newer upload that the pool does hold (1.14.53-1.1, trixie's) is
# fetched from there; the sha256 of its .dsc pins it, and dpkg-source checks
# the tarballs against the .dsc.
gsf_source_dir() {
  local dir=$work/src-libgsf
  if ! find "$dir" -mindepth 1 -maxdepth 1 -type d 2>/dev/null | grep -q .; then
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && { apt-get source -q libgsf || {
      rm -rf ./*
      local pool=http://deb.debian.org/debian/pool/main/libg/libgsf
      curl -fsSLO "$pool/libgsf_1.14.53-1.1.dsc"
      echo "c5bcb3e33e08f76739e7b1186f3ed4ea98ea9bcae4e1306a5881bdd992cd25c4  libgsf_1.14.53-1.1.dsc" | sha256sum -c -
      for f in $(awk '/^Files:/{f=1;next} /^[^ ]/{f=0} f{print $3}' libgsf_1.14.53-1.1.dsc); do curl -fsSLO "$pool/$f"; done
      dpkg-source -x libgsf_1.14.53-1.1.dsc
    }; }) >&2
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

# Debian's patches of configure.ac or Makefile.am leave the generated files
# older than their sources; regenerated as Debian's own build does
# (dh_autoreconf), or, where that needs tools the program does not
# (gtk-doc), kept as they are.
regenerate() { autoreconf -fi >autoreconf.out 2>&1; }
keep_generated() { find . \( -name aclocal.m4 -o -name configure -o -name Makefile.in -o -name config.h.in \) -exec touch {} +; }

configure_make() {  # in the current folder: a cross autotools build, shared libraries
  ./configure --host=$triplet --prefix="$prefix" "$@" >configure.out
  make -j"$jobs" >make.out
  make install >install.out
}

cmake_build() {  # SOURCE BUILD ARGS...: a cross CMake build, installed into the prefix
  local source=$1 build=$2
  shift 2
  GIPFELFLUSS_WINDOWS_PREFIX=$prefix cmake -S "$source" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$build.configure.out"
  cmake --build "$build" -j"$jobs" >"$build.build.out"
  cmake --install "$build" >"$build.install.out"
}

# --- the C libraries ------------------------------------------------------
if step libffi; then
  (cd "$(source_dir libffi)" && configure_make --enable-shared --disable-static --disable-docs \
     --disable-multi-os-directory)
  done_step libffi
fi

if step pcre2; then
  (cd "$(source_dir pcre2 10.42-1)" && configure_make --enable-shared --disable-static --disable-pcre2grep-callout)
  done_step pcre2
fi

# GLib's messages need gettext's libintl; the rest of gettext stays unbuilt.
if step libintl; then
  (cd "$(source_dir gettext)/gettext-runtime" && ./configure --host=$triplet --prefix="$prefix" \
     --enable-shared --disable-static --disable-java --disable-csharp --disable-libasprintf \
     --disable-openmp --with-included-gettext --enable-threads=windows >configure.out &&
   make -C intl -j"$jobs" >make.out && make -C intl install >install.out)
  done_step libintl
fi

if step glib; then
  cat >"$work/meson-cross.txt" <<EOF
[binaries]
c = '$triplet-gcc-posix'
cpp = '$triplet-g++-posix'
ar = '$triplet-ar'
strip = '$triplet-strip'
windres = '$triplet-windres'
pkgconfig = 'pkg-config'

[built-in options]
c_args = ['-I$prefix/include']
c_link_args = ['-L$prefix/lib']

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
  glib=$(source_dir glib2.0)
  rm -rf "$work/build-glib"
  meson setup "$work/build-glib" "$glib" --cross-file "$work/meson-cross.txt" --prefix="$prefix" \
    --buildtype=release --default-library=shared --wrap-mode=nofallback \
    -Dtests=false -Dinstalled_tests=false -Dnls=disabled -Dman=false -Dgtk_doc=false \
    -Dsysprof=disabled -Dlibmount=disabled -Dselinux=disabled -Dxattr=false -Dlibelf=disabled \
    -Ddtrace=false -Dsystemtap=false -Dglib_debug=disabled >"$work/build-glib.configure.out"
  ninja -C "$work/build-glib" -j"$jobs" >"$work/build-glib.build.out"
  ninja -C "$work/build-glib" install >"$work/build-glib.install.out"
  done_step glib
fi

# Only what the workbook readers call: the push parser, no HTTP, no codecs
# beyond UTF-8, UTF-16 and Latin-1 (the workbooks' XML is UTF-8).
if step libxml2; then
  (cd "$(source_dir libxml2)" && regenerate && configure_make --enable-shared --disable-static --without-python \
     --without-lzma --without-zlib --without-iconv --without-icu --without-http --without-ftp \
     --without-readline --without-history --without-modules --without-debug)
  done_step libxml2
fi

if step libgsf; then
  (cd "$(gsf_source_dir)" && keep_generated && ./configure --host=$triplet --prefix="$prefix" --enable-shared --disable-static \
     --without-gdk-pixbuf --without-bz2 --disable-introspection --disable-gtk-doc --disable-nls \
     >configure.out &&
   make -C gsf -j"$jobs" >make.out && make -C gsf install >install.out &&
   make install-pkgconfigDATA >>install.out)
  done_step libgsf
fi

# zlib comes built with Debian's libz-mingw-w64-dev; libzip needs neither
# other codecs nor encryption here.
if step libzip; then
  cmake_build "$(source_dir libzip)" "$work/build-libzip" -DBUILD_SHARED_LIBS=ON \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  done_step libzip
fi

# GMP's regenerated libtool would name its import library as its DLL (one
# overwriting the other), so it is linked statically, as libcsv is.
if step gmp; then
  (cd "$(source_dir gmp)" && regenerate && CC_FOR_BUILD=gcc configure_make --disable-shared --enable-static)
  done_step gmp
fi

# libcsv is one C file; linked statically into the workbook module.
if step libcsv; then
  (cd "$(source_dir libcsv)" && regenerate && configure_make --disable-shared --enable-static)
  done_step libcsv
fi

# GoogleTest from Debian's libgtest-dev sources, for the tests under Wine.
if step googletest; then
  cmake_build /usr/src/googletest "$work/build-googletest" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  done_step googletest
fi

# --- qtbase ---------------------------------------------------------------
# Only what the program uses: Core, Gui, Widgets, Print Support, Test, the
# windows and offscreen platforms and the Windows styles; optimised for size,
# which also builds faster. No ICU (the
# program decodes its own code pages), no OpenGL (INPUT_opengl=no also turns
# off dynamic GL, whose code the windows platform would otherwise compile),
# no tablets (Debian's source lacks wintab.h).
if step qtbase; then
  qt=$(source_dir qt6-base)
  rm -rf "$work/build-qt"
  cmake -S "$qt" -B "$work/build-qt" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_androiddeployqt=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF \
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_optimize_size=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF \
    >"$work/build-qt.configure.out"
  cmake --build "$work/build-qt" -j"$jobs" >"$work/build-qt.build.out"
  cmake --install "$work/build-qt" >"$work/build-qt.install.out"
  done_step qtbase
fi

touch "$prefix/.complete"
cd /
rm -rf "$work"
say "ready in $prefix"
echo "$prefix" >&3
