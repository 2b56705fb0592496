#!/usr/bin/env bash
# Builds Quillmar and starts it, on the document given (if any).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" --target quillmar bodtool
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: Quillmar needs a desktop session." >&2
    echo "Run it inside one, or under a virtual display: xvfb-run -a $here/build/src/quillmar ${*:-}" >&2
    exit 1
fi
exec "$here/build/src/quillmar" "$@"
