#!/bin/sh
# Installs the Debian packages KR7Controller needs, by purpose:
#   install-deps.sh run     what the built programs need at run time
#   install-deps.sh build   compiler, CMake and the libraries' headers
#   install-deps.sh test    build, plus GoogleTest, Google Benchmark, Xvfb and
#                           what the package test uses
#   install-deps.sh ci      test, plus clang and its sanitizer and fuzzer runtime
#   install-deps.sh docs    what tools/make-screenshots.sh uses beside a build
# Several purposes may be named at once. Runs apt-get only when something is
# missing; as root or through sudo.
set -e
RUN="qt6-translations-l10n fonts-dejavu-core qt6-image-formats-plugins"
BUILD="cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev libpng-dev"
TEST="$BUILD libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool dpkg-dev lintian appstream mandoc fonts-terminus-otb"
CI="$TEST clang libclang-rt-14-dev"
DOCS="xvfb xauth x11-apps netpbm"

[ $# -gt 0 ] || { echo "usage: $0 run|build|test|ci|docs ..." >&2; exit 2; }
PACKAGES=""
for purpose in "$@"; do
    case "$purpose" in
    run) PACKAGES="$PACKAGES $RUN" ;;
    build) PACKAGES="$PACKAGES $BUILD" ;;
    test) PACKAGES="$PACKAGES $TEST $RUN" ;;
    ci) PACKAGES="$PACKAGES $CI $RUN" ;;
    docs) PACKAGES="$PACKAGES $DOCS" ;;
    *) echo "$0: unknown purpose '$purpose' (run, build, test, ci or docs)" >&2; exit 2 ;;
    esac
done

missing=""
for p in $PACKAGES; do
    case " $missing " in *" $p "*) continue ;; esac
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
