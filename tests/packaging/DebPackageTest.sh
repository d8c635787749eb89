#!/bin/sh
# Builds the Debian package of a finished build and checks what it holds:
# the programs, the desktop entry, the icons, the manual pages, and library
# dependencies found from the programs' links.
#   DebPackageTest.sh BUILD_DIR
# Exits 77 (skipped) where cpack or dpkg-deb is missing.
set -u
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
out=$(mktemp -d "${TMPDIR:-/tmp}/kr7-deb.XXXXXX")
trap 'rm -rf "$out"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    exit 1
fi
deb=$(ls "$out"/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "no .deb built"; cat "$out/cpack.log"; exit 1; }
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$out/files"

status=0
expect() {
    grep -qx "$1" "$out/files" || { echo "missing from the package: $1"; status=1; }
}
expect /usr/bin/KR7Controller
expect /usr/bin/kr7-emulator
expect /usr/share/applications/kr7controller.desktop
expect /usr/share/icons/hicolor/scalable/apps/kr7controller.svg
for size in 16 22 24 32 48 64 128 256; do
    expect "/usr/share/icons/hicolor/${size}x${size}/apps/kr7controller.png"
done
expect /usr/share/man/man1/KR7Controller.1.gz
expect /usr/share/man/man1/kr7-emulator.1.gz
if [ -x "$build/bin/kr7ctl" ]; then
    expect /usr/bin/kr7ctl
    expect /usr/share/man/man1/kr7ctl.1.gz
    expect /usr/share/bash-completion/completions/kr7ctl
fi
if grep -E '/(Common|App|Tests?|Bench)|gtest|\.a$|/include/' "$out/files"; then
    echo "the package holds build or test files"
    status=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libpng16-16 libc6 qt6-image-formats-plugins; do
    case ", $depends," in
    *", $library "* | *", $library,"*) ;;
    *) echo "Depends lacks $library: $depends"; status=1 ;;
    esac
done

echo "== $(basename "$deb")"
echo "Depends: $depends"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
cat "$out/files"
exit $status
