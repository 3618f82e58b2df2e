#!/usr/bin/env bash
# install-test.sh BUILD SOURCE [HOST FLAGS]: installs BUILD into a temporary prefix and uses
# the install as a host program and a user would.
set -euo pipefail
build=$1
source=$2
host_flags=${3:-}
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
library=$(find "$prefix" -name libztklink.so.1.0.0 -printf '%P\n' | head -1)
[ -n "$library" ] || fail "libztklink.so.1.0.0 not installed"
libdir=$(dirname "$library")

# What the install holds.
for f in bin/brisa bin/brisa-cli bin/ztknode-sim \
         "$libdir/libztklink.so.1" "$libdir/libztklink.so" \
         "$libdir/libztklink_widgets.so.1" "$libdir/libztklink_widgets.so" \
         "$libdir/cmake/ztklink/ztklinkConfig.cmake" "$libdir/cmake/ztklink/ztklinkConfigVersion.cmake" \
         "$libdir/cmake/ztklink/ztklinkWidgetsTargets.cmake" \
         "$libdir/pkgconfig/ztklink.pc" "$libdir/pkgconfig/ztklink-widgets.pc" \
         include/ztklink/CommZTK90.h include/ztklink/QtSerialPort.h include/ztklink/ztklink_export.h \
         include/ztklink/AboutWindow.h include/ztklink/ztklink_widgets_export.h \
         share/brisa/Hardware.dsc share/brisa/Brisa-ayuda.html \
         share/applications/brisa.desktop share/icons/hicolor/scalable/apps/brisa.svg \
         share/man/man1/brisa-cli.1.gz share/man/man1/ztknode-sim.1.gz share/doc/brisa/copyright; do
    [ -e "$prefix/$f" ] || fail "$f not installed"
done
soname=$(objdump -p "$prefix/$libdir/libztklink.so.1.0.0" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = libztklink.so.1 ] || fail "SONAME is '$soname'"
grep -q '^Description: Driver comunicación ZTK90 Full Duplex$' "$prefix/$libdir/pkgconfig/ztklink.pc" \
    || fail "ztklink.pc has no description"
[ "$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --variable=includedir ztklink)" \
    -ef "$prefix/include" ] || fail "ztklink.pc does not point into the prefix"
# The driver's own description names no Qt Widgets or Gui; the companion's brings them.
pc_driver=$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --libs ztklink)
pc_widgets=$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --libs ztklink-widgets)
! grep -Eq 'Qt6(Widgets|Gui)' <<<"$pc_driver" || fail "ztklink.pc brings: $pc_driver"
grep -q -- '-lztklink_widgets' <<<"$pc_widgets" && grep -q -- '-lQt6Widgets' <<<"$pc_widgets" \
    || fail "ztklink-widgets.pc gives: $pc_widgets"

# A Qt host builds against the installed package only (the source tree is not on its path).
cmake -S "$source/examples/read-block" -B "$work/example" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="$host_flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$host_flags" >/dev/null \
    || fail "the example does not configure"
cmake --build "$work/example" >/dev/null || fail "the example does not build"
example=$work/example/read-block
# (Outputs are taken whole before grep: under pipefail an early grep -q exit fails the pipe.)
links=$(ldd "$example")
grep -q "$prefix/$libdir/libztklink.so.1" <<<"$links" || fail "the example is not linked to the install: $links"
! grep -Eq 'libQt6(Widgets|Gui)' <<<"$links" || fail "the console example loads Qt Widgets or Gui: $links"
set +e
"$example" >/dev/null 2>&1; usage=$?
out=$("$example" "$work/no-such-device" 2>&1); missing=$?
set -e
[ "$usage" = 2 ] || fail "example without arguments: exit $usage"
[ "$missing" = 1 ] && [ -n "$out" ] || fail "example on a missing device: exit $missing, '$out'"

# A windowed host asks for the companion library: the driver's About() opens its window there.
# Without the component the package defines no window target (and looks for no Qt Widgets).
mkdir "$work/windowed"
cat >"$work/windowed/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(windowed LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(ztklink 1 REQUIRED)
if(TARGET ztklink::widgets)
    message(FATAL_ERROR "ztklink::widgets defined without the widgets component")
endif()
find_package(ztklink 1 REQUIRED COMPONENTS widgets)
add_executable(windowed main.cpp)
target_link_libraries(windowed PRIVATE ztklink::ztklink ztklink::widgets)
CMAKE
cat >"$work/windowed/main.cpp" <<'CPP'
#include <QApplication>
#include <ztklink/AboutWindow.h>
#include <ztklink/CommZTK90.h>

int main(int argc, char** argv) {
    // "console": the same host without windows, where About() must do nothing (a widget
    // created there aborts the program).
    if (argc > 1) {
        QCoreApplication console(argc, argv);
        ztklink::widgets::install();
        ztklink::CommZTK90 ztk;
        ztk.About();
        return ztklink::AboutWindow::existingForThisThread() ? 1 : 0;
    }
    QApplication app(argc, argv);
    ztklink::widgets::install();
    ztklink::CommZTK90 ztk;
    ztk.About();
    const bool opened = ztklink::AboutWindow::existingForThisThread() != nullptr;
    delete ztklink::AboutWindow::existingForThisThread();  // the main loop never ran to free it
    return opened ? 0 : 1;
}
CPP
cmake -S "$work/windowed" -B "$work/windowed/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="$host_flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$host_flags" >"$work/windowed.log" 2>&1 \
    || { cat "$work/windowed.log" >&2; fail "the windowed host does not configure"; }
cmake --build "$work/windowed/build" >"$work/windowed.log" 2>&1 \
    || { cat "$work/windowed.log" >&2; fail "the windowed host does not build"; }
QT_QPA_PLATFORM=offscreen "$work/windowed/build/windowed" \
    || fail "the windowed host's About() opened no window"
"$work/windowed/build/windowed" console >/dev/null 2>&1 \
    || fail "About() in a host without windows did something"

# The installed programs find their library from the prefix, wherever it is.
unset LD_LIBRARY_PATH
grep -q compile <<<"$("$prefix/bin/brisa-cli" --help)" || fail "installed brisa-cli --help"
grep -q -- --link <<<"$("$prefix/bin/ztknode-sim" --help)" || fail "installed ztknode-sim --help"

# Run from a prefix its user cannot write, the window program keeps its settings and files in
# the per-user folder. Root writes anywhere: it runs as "nobody" then.
chmod -R a+rX,a-w "$prefix"
chmod 755 "$work"
config=$work/config
shots=$work/shots
mkdir -m 777 "$config" "$shots"
runtime=$work/runtime
mkdir -m 700 "$runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$runtime"
fi
XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$runtime "${as_user[@]}" "$prefix/bin/brisa" \
    --screenshots "$shots" >/dev/null 2>"$work/brisa.err" \
    || { cat "$work/brisa.err" >&2; fail "installed brisa did not run"; }
grep -q '^SoftVer=' "$config/brisa/Brisa.ini" || fail "no settings in the per-user folder"
[ -d "$config/brisa/Files" ] || fail "no Files folder in the per-user folder"
echo "install: ok"
