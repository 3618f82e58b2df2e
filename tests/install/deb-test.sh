#!/usr/bin/env bash
# deb-test.sh BUILD: builds the Debian package from BUILD, checks that it holds what an
# install holds, and that lintian finds no error in it.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >/dev/null || fail "cpack"
deb=$(ls "$work"/deb/brisa_*.deb)

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/root" && find . ! -type d | sed 's|^\.||' | sort) >"$work/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\.||' | grep -v '/$' | sort >"$work/packaged"
missing=$(comm -23 "$work/installed" "$work/packaged")
[ -z "$missing" ] || fail "not in the package: $missing"

# Installed into /usr, the programs find the library in a system folder, not through a path
# of their own.
dpkg-deb -x "$deb" "$work/unpacked"
for program in brisa brisa-cli ztknode-sim; do
    dynamic=$(objdump -p "$work/unpacked/usr/bin/$program")
    ! grep -q 'R.*PATH' <<<"$dynamic" || fail "$program keeps a library search path"
done

# The driver itself needs no graphics libraries; its windows are in the companion.
library=$(find "$work/unpacked" -name libztklink.so.1.0.0)
[ -n "$library" ] || fail "no libztklink.so.1.0.0 in the package"
needed=$(objdump -p "$library" | awk '$1 == "NEEDED" {print $2}')
! grep -Eq 'libQt6(Widgets|Gui)' <<<"$needed" || fail "libztklink needs: $needed"
[ -n "$(find "$work/unpacked" -name libztklink_widgets.so.1.0.0)" ] || fail "no companion library"

# Its dependencies come from the programs' libraries (Qt among them).
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6serialport6 <<<"$depends" || fail "no Qt dependency: $depends"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian"
echo "deb: ok"
