#!/bin/sh
# Installs the Debian packages needed to build, run and test KR7Controller.
# Runs apt-get only when something is missing; as root or through sudo.
set -e
PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev \
libgtest-dev libgmock-dev googletest libbenchmark-dev fonts-dejavu-core xvfb xauth \
clang libclang-rt-14-dev"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
