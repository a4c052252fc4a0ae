#!/bin/bash
# Builds the package as the `package` workflow does, in a folder of its own: checks that a desktop
# finds and accepts what it installs, that lintian finds nothing wrong with it, that its programs
# are hardened as Debian hardens its own, and runs quorvex-cli from it. No binary of the build at
# hand (BUILD_DIR) may search for libraries either.
#
#   package_test.sh SOURCE_DIR BUILD_DIR APP_ID
set -euo pipefail
source=$(realpath "$1")
build=$(realpath "$2")
app_id=$3

for tool in desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps cpack readelf lintian help2man; do
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

(cd "$source" && cmake --preset release -B "$work/release" >/dev/null)
cmake --build "$work/release" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
(cd "$work/release" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"

for file in bin/quorvex bin/quorvex-cli "share/applications/$app_id.desktop" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" "share/icons/hicolor/48x48/apps/$app_id.png" \
    "share/metainfo/$app_id.metainfo.xml" share/man/man1/quorvex.1.gz \
    share/man/man1/quorvex-cli.1.gz share/doc/quorvex/copyright share/doc/quorvex/README.md; do
    check "the package does not install $file" test -f "$root/$file"
done
# Every picture that the README shows is beside it.
for picture in $(grep -oE 'docs/[^)" ]+\.png' "$source/README.md"); do
    check "the package's README shows $picture, which it does not install" \
        test -f "$root/share/doc/quorvex/$picture"
done
check "the desktop entry is not valid" desktop-file-validate "$root/share/applications/$app_id.desktop"
check "the metainfo is not valid" appstreamcli validate --no-net "$root/share/metainfo/$app_id.metainfo.xml"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins fonts-liberation; do
    check "the package does not depend on $package: $depends" grep -q "\b$package\b" <<<"$depends"
done
lintian=$(lintian -EvIL +pedantic "$deb" 2>&1 | grep -v 'root privileges' || true)
check "lintian finds errors or warnings: $lintian" test -z "$(grep -E '^[EW]: ' <<<"$lintian")"
[ -z "$lintian" ] || echo "package_test: lintian notes: $lintian"

# Hardened as dpkg-buildflags builds Debian's packages: read-only relocations bound at start,
# buffer checks of glibc's fortified functions and a stack protector; and stripped of the
# compiler's notes. No binary, built or installed, searches the current directory or any other
# for libraries.
for binary in "$root/bin/quorvex" "$root/bin/quorvex-cli"; do
    check "$binary has no read-only relocations" grep -q GNU_RELRO <<<"$(readelf -lW "$binary")"
    check "$binary binds its symbols lazily" grep -q BIND_NOW <<<"$(readelf -dW "$binary")"
    symbols=$(readelf -sW --dyn-syms "$binary")
    check "$binary calls no fortified function" grep -qE '__[a-z]+_chk\b' <<<"$symbols"
    check "$binary has no stack protector" grep -q __stack_chk_fail <<<"$symbols"
    check "$binary keeps a .comment section" test -z "$(readelf -SW "$binary" | grep '\.comment')"
done
for binary in "$build/app/quorvex" "$build/cli/quorvex-cli" "$root/bin/quorvex" "$root/bin/quorvex-cli"; do
    check "$binary has a library search path" test -z "$(readelf -d "$binary" | grep -E 'RPATH|RUNPATH')"
done

expected="1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "
check "quorvex-cli from the package did not calculate" \
    test "$("$root/bin/quorvex-cli" matrix 30 0 0)" = "$expected"
