#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own qt6-base source, the version the
# Linux build uses, and keeps it in a cache shared by every clone on this machine. Prints the
# folder of the built Qt (the CMAKE_PREFIX_PATH for a Windows build) as its last line.
#
#   scripts/windows-qt.sh          build it if the cache lacks it, then print its folder
#   scripts/windows-qt.sh --path   print the folder it would use, built or not
#
# The cache folder is ${QUILLMAR_WIN_QT_CACHE:-/var/cache/quillmar}; its name holds Qt's
# version and a hash of everything that shapes the build (Debian's source version, the
# patches in packaging/windows/qt-patches, the options below and the toolchain file), so a
# change to any of them builds a new Qt beside the old one.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cache="${QUILLMAR_WIN_QT_CACHE:-/var/cache/quillmar}"
toolchain="$here/cmake/mingw-w64-x86_64.cmake"
patches="$here/packaging/windows/qt-patches"

# Only what Quillmar uses. DirectWrite is off because Qt 6.4 builds its font engine only with
# Direct2D, which MinGW cannot build; the tablet support because Debian's source drops the
# Wintab header it needs.
options=(
    -release -shared -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-ssl -no-icu
    -no-feature-sql -no-feature-xml -no-feature-concurrent -no-feature-vulkan
    -no-feature-direct2d -no-feature-directwrite -no-feature-tabletevent
    -no-libjpeg -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre
)
modules=(Core Gui Widgets Network PrintSupport Test)

# The source is Debian's qt6-base of the version installed for the Linux build.
debian_version="$(dpkg-query -W -f='${Version}' libqt6core6)"
qt_version="${debian_version%%+*}"
qt_version="${qt_version%%-*}"
key="$( {
    echo "$debian_version"
    echo "${options[*]}"
    cat "$toolchain"
    if [ -d "$patches" ]; then
        find "$patches" -name '*.patch' -print0 | sort -z | xargs -0r cat
    fi
} | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw-$key"

if [ "${1:-}" = "--path" ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

"$here/scripts/deps.sh"
install -d -m 0755 "$cache"
# Two clones asking at once: the second waits for the first and then finds the Qt built.
exec 9>"$cache/qt-$qt_version-mingw-$key.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

# apt-get source needs a deb-src entry; a fresh Debian has none.
if ! apt-get source --print-uris qt6-base="$debian_version" >/dev/null 2>&1; then
    cat >/etc/apt/sources.list.d/quillmar-deb-src.sources <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt-get update -qq
fi

work="$cache/qt-$qt_version-mingw-$key.work"
rm -rf "$work" "$prefix"
mkdir -p "$work"
log="$work/build.log"
echo "Building Qt $qt_version for Windows into $prefix (about an hour of CPU time; log: $log)" >&2
started=$(date +%s)
(
    cd "$work"
    apt-get source -qq qt6-base="$debian_version"
    source_dir="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
    if [ -d "$patches" ]; then
        for patch in "$patches"/*.patch; do
            [ -e "$patch" ] || continue
            patch -d "$source_dir" -p1 --forward --quiet <"$patch"
        done
    fi
    # Qt's qt.toolchain.cmake, which Windows builds of Quillmar use, loads this toolchain by
    # its path: a copy beside the Qt outlives the clone that built it.
    install -D -m 0644 "$toolchain" "$prefix/mingw-w64-x86_64.cmake"
    mkdir build
    cd build
    "$source_dir/configure" -prefix "$prefix" "${options[@]}" -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build . --parallel
    cmake --install .
) >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "Building Qt for Windows failed; the whole log is $log" >&2
    exit 1
}
for module in "${modules[@]}"; do
    [ -f "$prefix/lib/cmake/Qt6$module/Qt6${module}Config.cmake" ] ||
        { echo "The Qt built for Windows lacks Qt $module" >&2; exit 1; }
done
echo "Qt for Windows built in $(( ($(date +%s) - started) / 60 )) minutes" >&2
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
