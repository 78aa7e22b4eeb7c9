#!/usr/bin/env bash
# Stages the installer's folder so it installs on a bare desktop without Qt: Setup and KZ.EX_ (the
# launchers that start the installer, tavrin-setup, and the tutor, tavrin, and show the loader's
# message when they cannot), the shipped texts, and beside them the run-time such a desktop lacks
# (Qt's libraries, the xcb platform plugin, the libraries only Qt brings, Qt's Arabic texts, the two
# faces, the icon). The programs and libraries find each other through a RUNPATH relative to
# $ORIGIN; qt.conf points Qt at the folder for its plugins and translation. The tutor's sound plugin,
# built beside it, goes with the sound-server client it loads; its speech plugin with Qt's
# text-to-speech and the speech service's plugin and client library (the service itself, its voices
# and the sound server are the desktop's). Setup copies the files
# named in runtime.list beside KZ.EXE; the Debian packages they came from are written to
# <folder>.packages for the tests.
#
# usage: stage-setup-folder.sh SETUP TUTOR LAUNCH-SETUP LAUNCH-TUTOR QTPATHS RESOURCES FOLDER
set -euo pipefail

setup=$1 tutor=$2 launch_setup=$3 launch_tutor=$4 qtpaths=$5 resources=$6 folder=$7
xcb_plugin="$("$qtpaths" --query QT_INSTALL_PLUGINS)/platforms/libqxcb.so"
sound_plugin="$(dirname "$tutor")/libkzsound.so"
speech_plugin="$(dirname "$tutor")/libkzspeech.so"
speechd_plugin="$("$qtpaths" --query QT_INSTALL_PLUGINS)/texttospeech/libqtexttospeech_speechd.so"

# Packages a bare Debian 12 desktop holds: an X server, a window manager (twm, which brings the
# least), fontconfig, libgl1, libegl1, libxkbcommon0 and xdg-utils on a minimal system, as
# scripts/check-bare-desktop.sh makes it with debootstrap; all of them keep their library names in
# later releases. Every other library the programs load is shipped (glib, HarfBuzz, D-Bus and
# libOpenGL among them, which full desktops hold but such a system lacks). ICU is shipped although
# Debian 12 desktops hold it: its library names carry its version, which later releases change.
desktop_packages=(
    libc6 libgcc-s1 libstdc++6 zlib1g libzstd1 liblzma5 liblz4-1 libbrotli1 libbz2-1.0
    libpcre2-8-0 libsystemd0 libcap2 libgcrypt20 libgpg-error0 libuuid1
    libbsd0 libmd0 libexpat1 libffi8 libselinux1 libmount1 libblkid1
    libx11-6 libx11-xcb1 libxau6 libxdmcp6 libsm6 libice6 libxkbcommon0
    libxcb1 libxcb-randr0 libxcb-shm0 libxcb-sync1 libxcb-xfixes0
    libfontconfig1 libfreetype6 libpng16-16
    libegl1 libglx0 libglvnd0 libgl1
)

# Objects whose libraries are followed: both programs and the plugins they use.
objects=("$setup" "$tutor" "$xcb_plugin")
[ -f "$sound_plugin" ] && objects+=("$sound_plugin")
ship_speech=""
if [ -f "$speech_plugin" ]; then
    [ -f "$speechd_plugin" ] || { echo "no $speechd_plugin for the speech plugin" >&2; exit 1; }
    ship_speech=1
    objects+=("$speech_plugin" "$speechd_plugin")
fi

rm -rf "$folder"
mkdir -p "$folder/platforms" "$folder/licences"
[ -n "$ship_speech" ] && mkdir -p "$folder/texttospeech"

# The library files the objects load, each with the package that holds it (one dpkg query: each
# costs a read of its database). Packages list their files under /lib or /usr/lib; the merged /usr
# makes both names one file.
mapfile -t libraries < <(for object in "${objects[@]}"; do ldd "$object"; done |
    awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | sort -u)
declare -A package_of
while IFS= read -r line; do
    package=${line%%:*}
    path=${line#*: }
    package_of[$path]=$package
    package_of[/usr$path]=$package
done < <(for library in "${libraries[@]}"; do
    real=$(readlink -f "$library")
    echo "$real"
    echo "${real#/usr}"
done | xargs dpkg -S 2>/dev/null || true)
package_for() {
    local real
    real=$(readlink -f "$1")
    [ -n "${package_of[$real]:-}" ] || { echo "no package holds $1" >&2; exit 1; }
    echo "${package_of[$real]}"
}

shipped_packages=()
runtime=()
is_desktop_package() {
    local package
    for package in "${desktop_packages[@]}"; do [ "$package" = "$1" ] && return 0; done
    return 1
}
ship() { # source, name in the folder, RUNPATH or ""; strips ELF files
    local target="$folder/$2"
    cp -L "$1" "$target"
    chmod u+w "$target"
    if [ -n "$3" ]; then
        strip --strip-unneeded "$target"
        patchelf --set-rpath "$3" "$target"
    fi
    runtime+=("$2")
}
note_package() {
    local package
    for package in "${shipped_packages[@]}"; do [ "$package" = "$1" ] && return 0; done
    shipped_packages+=("$1")
    # Systems made without documentation may lack it; the folder is still whole for the learner.
    if [ -f "/usr/share/doc/$1/copyright" ]; then
        cp "/usr/share/doc/$1/copyright" "$folder/licences/$1.copyright"
        runtime+=("licences/$1.copyright")
    else
        echo "warning: no licence text for $1 in /usr/share/doc" >&2
    fi
}

for library in "${libraries[@]}"; do
    package=$(package_for "$library")
    is_desktop_package "$package" && continue
    ship "$library" "$(basename "$library")" '$ORIGIN'
    note_package "$package"
done

ship "$xcb_plugin" platforms/libqxcb.so '$ORIGIN/..'
note_package "$(dpkg -S "$(readlink -f "$xcb_plugin")" | cut -d: -f1)"
if [ -n "$ship_speech" ]; then
    ship "$speechd_plugin" texttospeech/libqtexttospeech_speechd.so '$ORIGIN/..'
    note_package "$(dpkg -S "$(readlink -f "$speechd_plugin")" | cut -d: -f1)"
fi

translation="$("$qtpaths" --query QT_INSTALL_TRANSLATIONS)/qtbase_ar.qm"
ship "$translation" qtbase_ar.qm ""
note_package "$(dpkg -S "$translation" | cut -d: -f1)"

for face in fonts-noto-ui-core/NotoSansArabicUI-Regular.ttf fonts-noto-ui-core/NotoSansArabicUI-Bold.ttf \
    fonts-dejavu-core/DejaVuSansMono.ttf; do
    package=${face%%/*} name=${face#*/}
    file=$(dpkg -L "$package" | grep "/$name\$" | head -n 1)
    [ -n "$file" ] || { echo "$package holds no $name" >&2; exit 1; }
    ship "$file" "$name" ""
    note_package "$package"
done

ship "$resources/KZ.png" KZ.png ""
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = .\n' >"$folder/qt.conf"
runtime+=(qt.conf)

ship "$tutor" tavrin '$ORIGIN'
# Beside the tutor, where it looks for it.
[ -f "$sound_plugin" ] && ship "$sound_plugin" libkzsound.so '$ORIGIN'
[ -n "$ship_speech" ] && ship "$speech_plugin" libkzspeech.so '$ORIGIN'

# The installer and the launchers; Setup copies KZ.EX_, the texts and then runtime.list.
cp "$setup" "$folder/tavrin-setup"
strip "$folder/tavrin-setup"
patchelf --set-rpath '$ORIGIN' "$folder/tavrin-setup"
cp "$launch_setup" "$folder/Setup"
cp "$launch_tutor" "$folder/KZ.EX_"
strip "$folder/Setup" "$folder/KZ.EX_"
cp "$resources/ReadMe.TXT" "$resources/Arabic.TXT" "$resources/English.TXT" "$folder/"

printf '%s\n' "${shipped_packages[@]}" >"$folder.packages"
printf '%s\n' "${runtime[@]}" >"$folder/runtime.list"
