#!/bin/sh
# Builds the Debian package of a finished build and checks what it holds:
# the programs, the desktop entry, the icons, the manual pages, and library
# dependencies found from the programs' links; then checks it with the
# distribution's tools: lintian (no errors, description lines that fit), the
# programs' hardening (PIE, BIND_NOW, stack protector, no .comment section),
# the AppStream entry (appstreamcli) and the manual pages (mandoc).
#   DebPackageTest.sh BUILD_DIR [hardened|unhardened]
# Exits 77 (skipped) where cpack or dpkg-deb is missing.
set -u
build=$1
hardening=${2:-hardened}
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli mandoc readelf nm; do
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
expect /usr/share/metainfo/kr7controller.metainfo.xml
expect /usr/share/doc/kr7controller/changelog.gz
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
for library in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libpng16-16 libfreetype6 libfontconfig1 libc6 qt6-image-formats-plugins; do
    case ", $depends," in
    *", $library "* | *", $library,"*) ;;
    *) echo "Depends lacks $library: $depends"; status=1 ;;
    esac
done

# The distribution's tools on the package.
lintian --tag-display-limit 0 "$deb" >"$out/lintian" 2>&1
if grep -E '^E: |extended-description-line-too-long' "$out/lintian"; then
    echo "lintian finds the above"
    status=1
fi
mkdir "$out/root"
dpkg-deb -x "$deb" "$out/root"
if [ "$hardening" = hardened ]; then
    for program in "$out"/root/usr/bin/*; do
        name=$(basename "$program")
        readelf -h "$program" | grep -q 'Type:[[:space:]]*DYN' || { echo "$name is not position-independent"; status=1; }
        readelf -d "$program" | grep -qE 'BIND_NOW|FLAGS.*NOW' || { echo "$name is not linked with BIND_NOW"; status=1; }
        readelf -S "$program" | grep -q '\.comment' && { echo "$name keeps its .comment section"; status=1; }
        nm -D "$program" | grep -q '__stack_chk_fail' || { echo "$name has no stack protector"; status=1; }
    done
    nm -D "$out/root/usr/bin/KR7Controller" | grep -qE '__[a-z]+_chk@' ||
        { echo "KR7Controller is not built with _FORTIFY_SOURCE"; status=1; }
fi
if ! appstreamcli validate --no-net "$out/root/usr/share/metainfo/kr7controller.metainfo.xml" >"$out/appstream" 2>&1; then
    cat "$out/appstream"
    status=1
fi
for page in "$out"/root/usr/share/man/man1/*.gz; do
    if ! gzip -dc "$page" | mandoc -Tlint -W warning >"$out/mandoc" 2>&1; then
        echo "mandoc: $(basename "$page")"
        cat "$out/mandoc"
        status=1
    fi
done
grep -q '^Exec=KR7Controller %F$' "$out/root/usr/share/applications/kr7controller.desktop" ||
    { echo "the desktop entry does not take files"; status=1; }
grep -q '^MimeType=.*image/gif;' "$out/root/usr/share/applications/kr7controller.desktop" ||
    { echo "the desktop entry names no picture types"; status=1; }

echo "== $(basename "$deb")"
echo "Depends: $depends"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
cat "$out/files"
exit $status
