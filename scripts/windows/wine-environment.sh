# Sourced by the Windows scripts: Wine for the Windows program's tests.
#   . wine-environment.sh WINEPREFIX
# A Wine prefix of the build's own (its first start takes about a minute),
# no Mono or Gecko asked for, no Wine debugging output.
# wine_build_paths TOOLCHAIN: the built program's DLLs where they were built
# (WINEPATH) and Qt's plugins (QT_PLUGIN_PATH), for the tests in the build tree;
# the program as delivered carries all of them beside its executable.
export WINEPREFIX=$1
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
fi

# The Windows form of a path on the build machine: Wine's drive Z: is its root.
windows_path() { echo "Z:${1//\//\\}"; }

wine_build_paths() {
    local toolchain=$1 cxx threads
    cxx=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
    threads=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
    WINEPATH="$(windows_path "$toolchain/bin");$(windows_path "$cxx");$(windows_path "$threads")"
    QT_PLUGIN_PATH=$(windows_path "$toolchain/plugins")
    export WINEPATH QT_PLUGIN_PATH
}
