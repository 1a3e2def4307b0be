#!/bin/sh
# Builds the Debian package from a release build tree, prints its contents
# and dependencies, and checks them: the programs, the link, the menu entry,
# the manual pages and the example tasks are in it; its dependencies name
# the libraries the programs link (found by dpkg-shlibdeps) and every font
# package; nothing of the sanitizers; lintian finds no errors.
#   check_package.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
. "$(dirname "$0")/lib.sh"
out=$scratch

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
set -- "$out"/vxr_*.deb
[ -f "$1" ] || { echo "FAIL: cpack made no package" >&2; exit 1; }
deb=$1

echo "== $(basename "$deb")"
contents=$(dpkg-deb -c "$deb" | awk '{ print $6, $7, $8 }')
echo "$contents"
depends=$(dpkg-deb -f "$deb" Depends)
echo "== Depends: $depends"

for path in ./usr/bin/vxr ./usr/bin/vxrdat ./usr/bin/vxr-practice ./usr/share/applications/vxr.desktop \
            ./usr/share/man/man1/vxr.1.gz ./usr/share/man/man1/vxrdat.1.gz \
            ./usr/share/vxr/examples/lab/VXR.DAT ./usr/share/doc/vxr/copyright; do
    echo "$contents" | grep -q "^$path\( \|$\)" || fail "$path is not in the package"
done
echo "$contents" | grep -qx './usr/bin/VXR -> vxr' || fail "usr/bin/VXR is not a link to vxr"

for library in libsdl2 libjpeg62-turbo libpng16 libfreetype6 libfontconfig1 libstdc++6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library"
done
while read -r font; do
    echo "$depends" | grep -q "$font" || fail "Depends lacks $font"
done < "$source/packaging/font-packages"
echo "$depends" | grep -q 'libasan\|libubsan' && fail "Depends names a sanitizer library: a sanitized build was packaged"

if command -v lintian >/dev/null; then
    verdict=$(lintian --allow-root "$deb" 2>&1 || true)
    echo "== lintian: ${verdict:-no findings}"
    echo "$verdict" | grep -q '^E:' && fail "lintian reports errors"
fi

# With VXR_TEST_APT=1, as root, on a machine without the package: install it
# with apt-get, use it, and purge it again, leaving the machine as it was.
if [ "${VXR_TEST_APT:-}" = 1 ] && [ "$(id -u)" = 0 ] && ! dpkg-query -W vxr >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=60 "$deb" >/dev/null || fail "apt-get cannot install $deb"
    /usr/bin/vxrdat dump /usr/share/vxr/examples/lab/VXR.DAT >/dev/null || fail "the installed vxrdat does not run"
    man -w vxr >/dev/null || fail "man vxr finds no page"
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=60 vxr >/dev/null || fail "apt-get cannot purge vxr"
    [ ! -e /usr/bin/vxr ] && [ ! -e /usr/share/vxr ] || fail "the purge left files behind"
fi

finish
