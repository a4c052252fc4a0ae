#!/bin/bash
# Installs the build as a package manager would, checks that a desktop finds and accepts what was
# installed, then builds the Debian package, unpacks it into a temporary root and runs quorvex-cli
# from there.
#
#   package_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(realpath "$1")
app_id=$2

for tool in desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps cpack readelf; do
    if ! command -v "$tool" >/dev/null; then
        echo "package_test: $tool is missing; tools/setup installs it" >&2
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# check PROBLEM COMMAND...: PROBLEM is what it means when the command fails.
check() { "${@:2}" || { echo "package_test: $1" >&2; exit 1; }; }

DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >/dev/null
root="$work/installed/usr"
for file in bin/quorvex bin/quorvex-cli "share/applications/$app_id.desktop" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" "share/icons/hicolor/48x48/apps/$app_id.png" \
    "share/metainfo/$app_id.metainfo.xml"; do
    check "cmake --install did not put $file in place" test -f "$root/$file"
done
# No binary, built or installed, searches the current directory or any other for libraries.
for binary in "$build/app/quorvex" "$build/cli/quorvex-cli" "$root/bin/quorvex" "$root/bin/quorvex-cli"; do
    check "$binary has a library search path" test -z "$(readelf -d "$binary" | grep -E 'RPATH|RUNPATH')"
done
check "the desktop entry is not valid" desktop-file-validate "$root/share/applications/$app_id.desktop"
check "the metainfo is not valid" appstreamcli validate --no-net "$root/share/metainfo/$app_id.metainfo.xml"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins; do
    check "the package does not depend on $package: $depends" grep -q "\b$package\b" <<<"$depends"
done

dpkg-deb -x "$deb" "$work/root"
expected="1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "
check "quorvex-cli from the package did not calculate" \
    test "$("$work/root/usr/bin/quorvex-cli" matrix 30 0 0)" = "$expected"
