#!/bin/sh
# Installs the Debian packages that building, running and testing need.
# Does nothing when every package is already present.
set -e
PKGS="build-essential cmake ninja-build pkg-config \
qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6svg6 \
libsqlite3-dev sqlite3 libsodium-dev liblunar-date-dev \
fonts-wqy-zenhei xvfb xauth x11-utils imagemagick \
python3 python3-xlrd python3-olefile poppler-utils unicode-data \
qt6-qpa-plugins gstreamer1.0-plugins-base"
MISSING=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        MISSING="$MISSING $p"
    fi
done
[ -z "$MISSING" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $MISSING
