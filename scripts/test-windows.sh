#!/usr/bin/env bash
# The Windows stage, under Wine: Qt for Windows (built once into a cache shared by every clone,
# see scripts/windows-qt.sh), the whole program and every test program cross-built with
# MinGW-w64 into build-windows/, the tests run through ctest, one start of quillmar.exe with the
# windows platform under Xvfb on examples/sample.bod, and the installer and the ZIP made with
# CPack, installed, run and uninstalled. The first run builds Qt: about an hour of CPU time.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-windows"
fail() {
    echo "$*" >&2
    exit 1
}
"$here/scripts/deps.sh"
qt="$("$here/scripts/windows-qt.sh" | tail -n 1)"

echo "-- build with $qt"
cd "$here"
export QUILLMAR_WINDOWS_QT="$qt"
cmake --preset windows >/dev/null
cmake --build --preset windows
run="$build/wine-run"
[ -x "$run" ] || fail "the build found no Wine ($run is missing)"
wine="$(sed -n 's/^QUILLMAR_WINE:FILEPATH=//p' "$build/CMakeCache.txt")"
wineserver="$(sed -n 's/^QUILLMAR_WINESERVER:FILEPATH=//p' "$build/CMakeCache.txt")"
# The tests' Windows (wine-run's) and the installer's, each without a server at the end.
test_prefix="$build/wineprefix"
install_prefix="$build/wineprefix-install"
trap 'for p in "$test_prefix" "$install_prefix"; do WINEPREFIX="$p" "$wineserver" -k 2>/dev/null; done; true' EXIT

echo "-- tests under Wine"
# One Wine server for the whole run instead of one per test program.
# The prefix is made by a first program; its server, or one an earlier run left, goes before
# the lasting one starts.
"$run" cmd /c exit
WINEPREFIX="$test_prefix" "$wineserver" -k 2>/dev/null || true
WINEPREFIX="$test_prefix" "$wineserver" -p
# Wine's services start with the first program and outlive it: started by a test, they would
# hold ctest's output open until its timeout.
"$run" cmd /c exit </dev/null >/dev/null 2>&1
ctest --preset windows

# The windows platform on a private X display with a window manager, as a player sees it.
display_run() {
    # Xvfb picks a free display itself and says which (-displayfd), so two runs never share one.
    local number_file
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    local xvfb=$!
    until [ -s "$number_file" ] || ! kill -0 "$xvfb" 2>/dev/null; do sleep 0.1; done
    local display
    display="$(head -n 1 "$number_file")"
    rm -f "$number_file"
    [ -n "$display" ] || fail "Xvfb did not start"
    local status=0
    DISPLAY=":$display" bash -c '
        until xdpyinfo >/dev/null 2>&1; do sleep 0.2; done
        openbox >/dev/null 2>&1 &
        "$@"' display-run "$@" || status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    return "$status"
}
# Waits (up to ten minutes) for a window whose title contains $1, quits the program through its
# Exit shortcut, and waits for the window to go. A window manager still starting may refuse the
# activation, so the shortcut is sent again until the window goes.
quit_window() {
    local id sent=""
    for _ in $(seq 1 3000); do
        id="$(xdotool search --name "$1" 2>/dev/null | head -n 1)" || true
        if [ -z "$id" ] && [ -n "$sent" ]; then
            return 0
        fi
        if [ -n "$id" ] &&
            timeout 60 xdotool windowactivate --sync "$id" key --clearmodifiers ctrl+q 2>/dev/null; then
            sent=1
        fi
        sleep 0.2
    done
    echo "no window shows $1, or it did not go" >&2
    return 1
}
export -f quit_window

echo "-- quillmar.exe with the windows platform on examples/sample.bod"
display_run bash -c '
    QT_QPA_PLATFORM=windows timeout 900 "$1" "$2" "$3" &
    program=$!
    quit_window sample.bod || kill "$program"
    wait "$program"' _ "$run" "$build/src/quillmar.exe" "$here/examples/sample.bod" ||
    fail "quillmar.exe did not show examples/sample.bod"

echo "-- the installer and the ZIP"
rm -rf "$build/package"
(cd "$build" && cpack -B "$build/package" >/dev/null)
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
installer="$build/package/Quillmar-$version-win64.exe"
zip="$build/package/Quillmar-$version-win64.zip"
[ -f "$installer" ] && [ -f "$zip" ] || fail "cpack made no $installer and $zip"
unzip -l "$zip" | grep -q "bin/platforms/qwindows.dll" || fail "the ZIP lacks the windows platform"

# A Windows of its own, where nothing but the installer put Qt: no WINEPATH.
export WINEPREFIX="$install_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
rm -rf "$WINEPREFIX"
timeout 600 "$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
before="$(cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | sort)"
# The default value of a registry key, or nothing when the key does not exist.
reg_default() {
    timeout 300 "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *(Default) *REG_SZ *//p'
}
classes='HKLM\Software\Classes'
installed='C:\Program Files\Quillmar'
install() {
    timeout 600 "$wine" "$installer" /S
    "$wineserver" -w
}
uninstall() {
    timeout 600 "$wine" "$installed\\Uninstall.exe" /S
    "$wineserver" -w
}

install
said="$(timeout 300 "$wine" "$installed\\bin\\quillmar.exe" --version | tr -d '\r')"
[ "$said" = "Quillmar $version" ] || fail "the installed quillmar.exe --version says '$said'"
stats="$(timeout 300 "$wine" "$installed\\bin\\bodtool.exe" stats "$here/examples/sample.bod")"
[[ "$stats" == '{"deeds":'* ]] || fail "the installed bodtool.exe stats says '$stats'"
[ "$(reg_default "$classes\\.bod")" = "Quillmar.Document" ] || fail "*.bod is not registered"
[ "$(reg_default "$classes\\Quillmar.Document\\shell\\open\\command")" = \
    "\"$installed\\bin\\quillmar.exe\" \"%1\"" ] || fail "*.bod has no open command"
[ "$(reg_default "$classes\\Quillmar.Document\\shell\\print\\command")" = \
    "\"$installed\\bin\\quillmar.exe\" /p \"%1\"" ] || fail "*.bod has no print command"
# Explorer's way: the file itself, started through its registered open command.
cp "$here/examples/sample.bod" "$WINEPREFIX/drive_c/deeds.bod"
# The programs above ran without a display; Wine's desktop started for them would take the
# window too, where no display shows it. It ends with them.
"$wineserver" -w
display_run bash -c '
    timeout 300 "$1" start "C:\\deeds.bod"
    quit_window deeds.bod
    status=$?
    timeout 300 "$2" -w
    exit "$status"' _ "$wine" "$wineserver" || fail "*.bod did not open in the installed Quillmar"
rm "$WINEPREFIX/drive_c/deeds.bod"
uninstall
after="$(cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | sort)"
[ "$before" = "$after" ] ||
    fail "uninstalling left files behind: $(comm -13 <(echo "$before") <(echo "$after"))"
[ -z "$(reg_default "$classes\\.bod")" ] || fail "*.bod stays registered after uninstalling"
[ -z "$(reg_default "$classes\\Quillmar.Document")" ] || fail "the *.bod type stays"

# A *.bod that another program has taken over since stays with that program.
install
timeout 300 "$wine" reg add "$classes\\.bod" /ve /d Other.Document /f >/dev/null
uninstall
[ "$(reg_default "$classes\\.bod")" = "Other.Document" ] || fail "uninstalling took *.bod away"
echo "the Windows program passes its tests under Wine; its installer installs, registers *.bod, runs and uninstalls"
