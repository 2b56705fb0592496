#!/usr/bin/env bash
# Installs whatever the build, the tests and the program need and the machine lacks (Debian 12).
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth poppler-utils fonts-dejavu-core
    openbox xdotool wmctrl x11-utils
)
# The Windows build of the core, the installer's file-type part and Wine to run both; the .deb
# and the desktop checkers. These come without their recommended companions: Wine's bring
# fonts that change how the window tests lay out and print text.
tools=(
    g++-mingw-w64-x86-64 nsis wine64 dpkg-dev file lintian
    appstream desktop-file-utils libxml2-utils libglib2.0-bin shared-mime-info
)
updated=0
# Installs those of the packages after "--" that the machine lacks, with the apt-get options
# before it.
install_missing() {
    local options=() missing=() p
    while [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    shift
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        if [ "$updated" -eq 0 ]; then
            apt-get update -qq
            updated=1
        fi
        apt-get install -y -qq "${options[@]}" "${missing[@]}"
    fi
}
install_missing -- "${packages[@]}"
install_missing --no-install-recommends -- "${tools[@]}"
