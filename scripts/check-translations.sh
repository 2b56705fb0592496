#!/usr/bin/env bash
# Fails when a text the program shows has no finished translation, or a translation is left
# for a text the program no longer has. The checked-in files are not touched: lupdate works on
# temporary copies.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$here"/translations/*.ts; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    # The same options as the build's update_translations target.
    "$lupdate" -silent -locations none -extensions cpp,h -I "$here/src" \
        "$here/src" -ts "$copy"
    unfinished="$(grep -c 'type="unfinished"' "$copy" || true)"
    stale="$(grep -cE 'type="(vanished|obsolete)"' "$copy" || true)"
    if [ "$unfinished" -ne 0 ] || [ "$stale" -ne 0 ]; then
        echo "$(basename "$ts"): $unfinished texts without a finished translation, $stale no longer used:" >&2
        grep -B3 -E 'type="(unfinished|vanished|obsolete)"' "$copy" | grep -A2 '<source>' >&2 || true
        echo "(run: cmake --build build --target update_translations, then translate)" >&2
        status=1
    fi
done
exit "$status"
