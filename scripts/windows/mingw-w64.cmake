# CMake toolchain for 64-bit Windows with Debian's mingw-w64 compilers, in
# their posix thread model: the program and Qt then share one C++ runtime
# (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll).
#
# GIPFELFLUSS_WINDOWS_PREFIX, when set in the environment, is the folder of
# the libraries built by toolchain.sh; CMake looks for headers, libraries and
# packages there and in the compilers' own folder, and for programs on the
# build machine only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_AR /usr/bin/${triplet}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${triplet}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
if(DEFINED ENV{GIPFELFLUSS_WINDOWS_PREFIX})
  list(PREPEND CMAKE_FIND_ROOT_PATH $ENV{GIPFELFLUSS_WINDOWS_PREFIX})
  # pkg-config reads the Windows libraries' .pc files, never the build machine's.
  set(ENV{PKG_CONFIG_LIBDIR} "$ENV{GIPFELFLUSS_WINDOWS_PREFIX}/lib/pkgconfig:/usr/${triplet}/lib/pkgconfig")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
