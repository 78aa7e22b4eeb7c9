#!/bin/sh
# Runs a command as on a desktop without Qt: in a private mount namespace the libraries of Debian's
# Qt packages and of the packages named in PACKAGES-FILE (the libraries only Qt brings) read as
# empty files, and the folders of Qt's translations and of the two faces the programs ask for are
# empty. Nothing outside the command sees a change.
#
# usage: without-qt.sh PACKAGES-FILE COMMAND [ARGUMENT...]
set -eu

if [ "${KZ_WITHOUT_QT_INSIDE:-}" != 1 ]; then
    # A user namespace lets a user who is not root make the mount namespace too.
    KZ_WITHOUT_QT_INSIDE=1 exec unshare --user --map-root-user --mount "$0" "$@"
fi
unset KZ_WITHOUT_QT_INSIDE
packages_file=$1
shift

qt_packages=$(dpkg-query -W -f '${Package}\n' | grep -E '^(libqt6|qt6-)')
files=$(dpkg -L $qt_packages $(cat "$packages_file") | sort -u)

# Libraries: each file (not its links) is covered by the empty /dev/null.
echo "$files" | grep -E '\.so(\.[0-9.]+)?$' | while IFS= read -r file; do
    if [ -f "$file" ] && [ ! -L "$file" ]; then
        mount --bind /dev/null "$file"
    fi
done
# Folders of translations and faces become empty; fontconfig gets no cache that still lists them.
echo "$files" | grep -E '\.(qm|ttf)$' | xargs -r -n 1 dirname | sort -u | while IFS= read -r folder; do
    [ -d "$folder" ] && mount -t tmpfs -o size=1m,mode=0755 tmpfs "$folder"
done
mount -t tmpfs -o size=1m,mode=0755 tmpfs /var/cache/fontconfig

exec "$@"
