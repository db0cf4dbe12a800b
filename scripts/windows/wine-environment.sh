# Sourced by the Windows scripts: Wine for the Windows program's tests.
#   . wine-environment.sh WINEPREFIX
# A Wine prefix of the build's own (its first start takes about a minute),
# no Mono or Gecko asked for, no Wine debugging output.
export WINEPREFIX=$1
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
fi

# The Windows form of a path on the build machine: Wine's drive Z: is its root.
windows_path() { echo "Z:${1//\//\\}"; }

# wine_build_paths TOOLCHAIN: for the tests in the build tree, the program's
# DLLs where they were built (WINEPATH), and Debian's Liberation fonts for
# Qt's offscreen platform, which on Windows reads fonts from one folder only
# (QT_QPA_FONTDIR, in the prefix's registry: Wine hands Windows programs no
# QT_ variable of the build machine's environment). The program as delivered
# carries its DLLs beside its executable and uses Windows' fonts.
wine_build_paths() {
    local toolchain=$1 cxx threads
    cxx=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
    threads=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
    WINEPATH="$(windows_path "$toolchain/bin");$(windows_path "$cxx");$(windows_path "$threads")"
    export WINEPATH
    wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "$(windows_path /usr/share/fonts/truetype/liberation)" /f >/dev/null 2>&1
    # Programs started later read the environment from the registry at
    # their start; waiting for Wine's processes to end makes sure, but
    # without a display they sometimes stay: the wait is bounded.
    timeout 60 wineserver -w || true
}
