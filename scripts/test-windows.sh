#!/usr/bin/env bash
# What this machine can check of Windows, under Wine: the standard-C++ core and its tests,
# cross-built with MinGW-w64, and the installer's *.bod registration, built with makensis.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-mingw"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DQUILLMAR_GUI=OFF -DBUILD_TESTING=ON -DQUILLMAR_WERROR=ON \
    -DQUILLMAR_GTEST_SOURCE_DIR=/usr/src/googletest \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$build" --target tests_core
# The icons as the Windows program embeds them; the program itself needs a Qt for Windows.
x86_64-w64-mingw32-windres "$here/packaging/windows/quillmar.rc" -O coff -o "$build/icons.res"

wine="$(command -v wine || true)"
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
# A prefix of our own, so no other Wine user's settings take part; no Mono or Gecko, which
# would ask to be downloaded.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 600 "$wine" wineboot --init >"$build/wineboot.log" 2>&1 ||
        { cat "$build/wineboot.log"; exit 1; }
fi
# gtest's own verdict is the exit status; Wine passes it through.
timeout 900 "$wine" "$build/tests/tests_core.exe" --gtest_brief=1

fail() {
    echo "$*" >&2
    exit 1
}
# The default value of a registry key, or nothing when the key does not exist.
reg_default() {
    timeout 300 "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
classes='HKLM\Software\Classes'
installer="$build/file-type-check.exe"
makensis -V2 -DOUTFILE="$installer" -DINCLUDE="$here/packaging/windows/file-type.nsh" \
    "$here/packaging/windows/file-type-check.nsi"
installed='C:\Program Files\Quillmar'
register() {
    timeout 300 "$wine" "$installer" /S
    timeout 300 "$wineserver" -w
}
wineserver="$(command -v wineserver || true)"
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver64
# _?= keeps the uninstaller in place, so that it finishes before Wine returns; on a loaded
# machine a process it started may still be writing the registry, so wait until every Wine
# process of the prefix has ended.
unregister() {
    timeout 300 "$wine" "$installed\uninstall-file-type.exe" /S "_?=$installed"
    timeout 300 "$wineserver" -w
}

# A run that failed half way may have left its keys behind.
for key in .bod Quillmar.Document; do
    timeout 300 "$wine" reg delete "$classes\\$key" /f >/dev/null 2>&1 || true
done
register
[ "$(reg_default "$classes\.bod")" = "Quillmar.Document" ] || fail "*.bod is not registered"
[ "$(reg_default "$classes\Quillmar.Document")" = "Quilmr Document" ] ||
    fail "the *.bod type has no name"
[ "$(reg_default "$classes\Quillmar.Document\shell\open\command")" = \
    "\"$installed\bin\quillmar.exe\" \"%1\"" ] || fail "*.bod has no open command"
[ "$(reg_default "$classes\Quillmar.Document\shell\print\command")" = \
    "\"$installed\bin\quillmar.exe\" /p \"%1\"" ] || fail "*.bod has no print command"
unregister
[ -z "$(reg_default "$classes\.bod")" ] || fail "*.bod stays registered after uninstalling"
[ -z "$(reg_default "$classes\Quillmar.Document")" ] || fail "the *.bod type stays"

# A *.bod that another program has taken over since stays with that program.
register
timeout 300 "$wine" reg add "$classes\.bod" /ve /d Other.Document /f >/dev/null
unregister
[ "$(reg_default "$classes\.bod")" = "Other.Document" ] || fail "uninstalling took *.bod away"
timeout 300 "$wine" reg delete "$classes\.bod" /f >/dev/null
echo "the installer registers *.bod with open and print, and unregisters it"
