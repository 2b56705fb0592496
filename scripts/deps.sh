#!/usr/bin/env bash
# Installs whatever the build, the tests and the program need and the machine lacks (Debian 12).
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth poppler-utils fonts-dejavu-core
    openbox xdotool wmctrl x11-utils
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
