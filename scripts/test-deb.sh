#!/usr/bin/env bash
# Packs the built tree (BUILD_DIR, default build/) as a .deb, checks it with lintian, installs
# it as a player would, runs both programs from /usr/bin, checks that *.bod files belong to
# Quillmar, and removes the package again, whatever happened.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
out="$build/package"
fail() {
    echo "$*" >&2
    exit 1
}
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb="$out/quillmar_${version}_amd64.deb"
[ -f "$deb" ] || fail "cpack made no $deb"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/quillmar/copyright |
    grep -q '^License: GPL-3+$' || fail "the package does not name its license"
# The metainfo, the launcher it names and the icon must meet in the installed tree.
tree="$(mktemp -d)"
dpkg-deb -x "$deb" "$tree"
tree_report="$(appstreamcli validate-tree --no-net --pedantic --no-color "$tree" 2>&1)" ||
    tree_report="failed: $tree_report"
rm -rf "$tree"
if grep -qE '^([EWIP]: |failed)' <<<"$tree_report"; then
    fail "the installed AppStream data has remarks: $tree_report"
fi

# Warnings are shown; errors fail. Lintian remarks on running as root, which is not our concern.
lint=0
report="$(lintian --fail-on error "$deb" 2>&1)" || lint=$?
grep -v 'running with root privileges' <<<"$report" || true
[ "$lint" -eq 0 ] || fail "lintian found errors"

apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq "$@"
}
trap 'apt_get purge quillmar >/dev/null 2>&1 || true' EXIT
apt_get install "$deb" >/dev/null

for entry in quillmar:Quillmar bodtool:bodtool; do
    program="${entry%%:*}"
    said="$("/usr/bin/$program" --version)" || fail "$program --version failed"
    [ "$said" = "${entry#*:} $version" ] || fail "$program --version says '$said'"
    # A full disk must not pass for a printed version.
    if "/usr/bin/$program" --version >/dev/full 2>/dev/null; then
        fail "$program --version reports success on a full disk"
    fi
done
grep -q "<release version=\"$version\"" /usr/share/metainfo/*quillmar*.metainfo.xml ||
    fail "the AppStream metainfo does not name release $version"

probe="$(mktemp -d)"
cp "$here/examples/sample.bod" "$probe/deeds.bod"
type="$(gio info -a standard::content-type "$probe/deeds.bod" | sed -n 's/^ *standard::content-type: //p')"
app="$(gio mime application/x-quillmar-bod | sed -n 's/^Default application for .*: //p')"
rm -rf "$probe"
[ "$type" = "application/x-quillmar-bod" ] || fail "*.bod is $type"
[ "$app" = "quillmar.desktop" ] || fail "*.bod opens with '$app'"

apt_get purge quillmar >/dev/null
trap - EXIT
for program in quillmar bodtool; do
    [ ! -e "/usr/bin/$program" ] || fail "/usr/bin/$program is left after removal"
done
echo "quillmar_${version}_amd64.deb installs, runs, owns *.bod and uninstalls"
