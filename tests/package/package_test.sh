#!/bin/bash
# Builds the source and binary packages as Debian does, with dpkg-buildpackage on an export of the
# files git tracks (as they are now), which runs the test suite; checks them with lintian; runs the
# tests of the installed package (debian/tests/control) on the unpacked package; and builds it
# again in another folder, in another time zone, to compare the .deb files byte for byte. No binary
# of the build at hand (BUILD_DIR) may search for libraries either.
#
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$(realpath "$1")
build=$(realpath "$2")

missing() {
    echo "package_test: $1; tools/setup installs it" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
}
for tool in dpkg-buildpackage git lintian desktop-file-validate appstreamcli; do
    command -v $tool >/dev/null || missing "$tool is missing"
done
[ -f /usr/share/bash-completion/bash_completion ] || missing "bash-completion is missing"
(cd "$source" && dpkg-checkbuilddeps) || missing "what debian/control's Build-Depends names is missing"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# check PROBLEM COMMAND...: PROBLEM is what it means when the command fails.
check() { "${@:2}" || { echo "package_test: $1" >&2; exit 1; }; }

version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
commit=$(git -C "$source" stash create)
# build FOLDER [OPTION...]: exports the source into FOLDER/quorvex-VERSION and builds it there,
# with the build's log in FOLDER/log; the packages land in FOLDER.
build() {
    mkdir -p "$1/quorvex-$version"
    git -C "$source" archive "${commit:-HEAD}" | tar -x -C "$1/quorvex-$version"
    (cd "$1/quorvex-$version" && DEB_BUILD_OPTIONS="${options:-} parallel=$(nproc)" \
        nice -n 10 dpkg-buildpackage -us -uc "${@:2}" >"$1/log" 2>&1) \
        || { tail -n 100 "$1/log"; echo "package_test: dpkg-buildpackage failed" >&2; exit 1; }
}
build "$work/first"
tests=$(cd "$build" && ctest -N --label-exclude package | sed -n 's/^Total Tests: //p')
check "the package build did not pass the $tests tests but the package test" \
    grep -q "^100% tests passed, 0 tests failed out of $tests$" "$work/first/log"

lintian=$(lintian -EvIL +pedantic "$work"/first/*.changes 2>&1 | grep -v 'root privileges' || true)
check "lintian reports: $lintian" test -z "$lintian"

deb=$work/first/quorvex_${version}_$(dpkg --print-architecture).deb
dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"
# autopkgtest runs each Test-Command in the source folder, with the package installed.
while read -r command; do
    (cd "$work/first/quorvex-$version" && PATH="$root/bin:$PATH" \
        XDG_DATA_DIRS="$root/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" sh -c "$command") \
        || check "the installed package fails $command" false
done < <(sed -n 's/^Test-Command: //p' "$source/debian/tests/control")
# lintian checks the rest of the hardening that Debian's packages get.
for binary in "$root/bin/quorvex" "$root/bin/quorvex-cli"; do
    check "$binary has no stack protector" grep -q __stack_chk_fail <(readelf -sW --dyn-syms "$binary")
done
for binary in "$build/app/quorvex" "$build/cli/quorvex-cli"; do
    check "$binary has a library search path" test -z "$(readelf -d "$binary" | grep -E 'RPATH|RUNPATH')"
done

# The same packages again, from a longer path, in another time zone and with another umask; the
# tests, which change nothing that is packaged, are not run again.
(umask 0002 && TZ=Pacific/Kiritimati options=nocheck build "$work/second/build/path" -b)
for package in "$work"/first/*.deb; do
    check "$(basename "$package") differs when it is built again" \
        cmp "$package" "$work/second/build/path/$(basename "$package")"
done
