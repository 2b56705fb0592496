#!/usr/bin/env bash
# Cross-builds the standard-C++ core and its tests for 64-bit Windows with MinGW-w64 and runs
# them under Wine: the Windows half of the core's proof that this machine can give.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-mingw"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DQUILLMAR_GUI=OFF -DBUILD_TESTING=ON -DQUILLMAR_WERROR=ON \
    -DQUILLMAR_GTEST_SOURCE_DIR=/usr/src/googletest \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$build" --target tests_core

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
