#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
set -eu
packages="cmake make g++ pkg-config qt6-base-dev libqt6svg6 libgl-dev fonts-dejavu-core googletest libgtest-dev
libgmock-dev libbenchmark-dev libsquish-dev libstb-dev libssl-dev imagemagick nlohmann-json3-dev
libimagequant-dev libpng-dev libxxhash-dev python3 time bubblewrap"
# Callers may ask for more: `make fuzz` needs clang and its libFuzzer runtime.
packages="$packages $*"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
