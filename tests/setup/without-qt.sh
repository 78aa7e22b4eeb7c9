#!/bin/sh
# Runs a command as on a desktop without Qt: in a private mount namespace the libraries of Debian's
# Qt packages and of the packages named in PACKAGES-FILE (the libraries only Qt brings) read as
# empty files, and the folders of Qt's translations and of the two faces the programs ask for are
# empty. Nothing outside the command sees a change.
#
# usage: without-qt.sh PACKAGES-FILE COMMAND [ARGUMENT...]
set -eu

if [ "${KZ_WITHOUT_QT_INSIDE:-}" != 1 ]; then
    export KZ_WITHOUT_QT_INSIDE=1
    # unshare keeps the namespace's mounts private. A user namespace lets a user who is not root
    # make one too.
    if [ "$(id -u)" = 0 ]; then
        exec unshare --mount "$0" "$@"
    fi
    exec unshare --user --map-root-user --mount "$0" "$@"
fi
unset KZ_WITHOUT_QT_INSIDE
packages_file=$1
shift

qt_packages=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" && $2 ~ /^(libqt6|qt6-)/ { print $2 }')
files=$(dpkg -L $qt_packages $(cat "$packages_file") 2>/dev/null | sort -u)

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
if [ -d /var/cache/fontconfig ]; then
    mount -t tmpfs -o size=1m,mode=0755 tmpfs /var/cache/fontconfig
fi

exec "$@"
