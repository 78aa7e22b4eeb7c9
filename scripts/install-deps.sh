#!/usr/bin/env bash
# Installs the Debian packages the tutor needs to build, run and be tested, skipping those present.
#   scripts/install-deps.sh              what ./run-tutor.sh and ./run-tests.sh need
#   scripts/install-deps.sh --sanitize   also clang and its sanitizer run-time, for the `sanitize`
#                                        preset and the fuzz targets
#   scripts/install-deps.sh --bench      also the X libraries bench_window drives the real window with
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-translations-l10n
    fonts-noto-ui-core fonts-dejavu-core
    xvfb xauth xdotool x11-xkb-utils x11-utils imagemagick
    xdg-utils desktop-file-utils appstream
    patchelf
    poppler-utils
    # the speech plugin and the spoken mode's speech service; AT-SPI for the screen-reader check
    qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
    speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    at-spi2-core python3-pyatspi dbus-x11 dbus-daemon dbus-bin
    # the sound plugin (the desktop's sound server's client library)
    libpulse-dev
)
if [ "${1:-}" = "--sanitize" ]; then
    packages+=(clang libclang-rt-14-dev)
fi
if [ "${1:-}" = "--bench" ]; then
    packages+=(libxdamage-dev libxtst-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq -o DPkg::Lock::Timeout=600
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
