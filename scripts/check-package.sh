#!/usr/bin/env bash
# Proves the Debian package on a clean system. First the validators (desktop-file-validate,
# appstreamcli validate --no-net, lintian: no errors); then, in a fresh minimal Debian 12 root
# (debootstrap, none of the build's packages), `apt-get install ./tavrin_*.deb` as a learner would,
# the tutor started as the learner from the installed menu entry's Exec= under Xvfb, a learner
# created through the user list and its profile looked for in the XDG data folder; last the
# package purged (with what it brought) and the root compared with the one before the install:
# nothing but the learner's own files may stay (what apt keeps of the package's dependencies
# because the base system recommends it is apt's affair). Screenshots go to SHOTS. Run as root; the root is
# made once into KZ_ROOT_CACHE. Needs lintian, appstream, desktop-file-utils, xvfb, xdotool and
# imagemagick on this machine.
#
# usage: check-package.sh [DEB [SHOTS]]   (default build/tavrin_*.deb, build/package-shots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-root.sh"

deb=${1:-$(ls "$here"/../build/tavrin_*_amd64.deb 2>/dev/null | head -n 1)}
[ -f "$deb" ] || fail "no package: build it with (cd build && cpack -G DEB)"
deb=$(readlink -f "$deb")
shots=$(readlink -f "${2:-$here/../build/package-shots}")
mkdir -p "$shots"
rm -f "$shots"/*.png

say "the validators on $(basename "$deb")"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop || fail "desktop-file-validate"
echo "desktop-file-validate: no complaints"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli"
status=0
report=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || status=$?
printf '%s\n' "$report" | grep -v '^running with root privileges' || true
[ $status -eq 0 ] || fail "lintian"
echo "lintian: no errors"
entry_name=$(basename "$unpacked"/usr/share/applications/*.desktop)

work=$root_cache/package-check
say "a fresh minimal Debian 12 in $work"
fresh_copy "$(minimal_root)" "$work"
x_server=""
trap 'end_processes_in "$work"; [ -z "$x_server" ] || kill "$x_server" 2>/dev/null; rm -rf "$unpacked"' EXIT
listing() { # every file and folder of the root but the ones apt, dpkg and the system keep changing
    in_root "$work" find / -xdev \( -path /proc -o -path /dev -o -path /tmp -o -path /run \
        -o -path /var/cache -o -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/log \
        -o -path /var/lib/systemd -o -path /etc/ld.so.cache \) -prune -o -print | sort
}
in_root "$work" apt-get update -qq

say "apt-get install ./$(basename "$deb")"
cp "$deb" "$work/tmp/"
in_root "$work" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./tmp/$(basename "$deb")" \
    >"$shots/install.log" 2>&1 || {
    tail -n 20 "$shots/install.log"
    fail "apt-get install"
}
grep -E '^(The following NEW|Setting up tavrin)' -A1 "$shots/install.log" | head -n 4
in_root "$work" dpkg -L tavrin >"$shots/package-files.list"
# What the run and the removal leave is what is new since here; the package's own files are
# checked one by one.
listing >"$shots/installed.list"

display=:$(free_display)
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
x_server=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

say "the tutor from the menu entry's Exec=, as the learner"
entry=$work/usr/share/applications/$entry_name
grep -E '^(Exec|Icon|Categories)=' "$entry"
command=$(sed -n 's/^Exec=//p' "$entry")
# The Exec= of the package is a bare command, found on PATH like the desktop finds it.
# At 100 %, where the clicks below were measured (the first start would fit 125 % to this screen).
as_learner "$work" env DISPLAY="$display" QT_SCALE_FACTOR=1 $command 2>"$shots/tutor.stderr" &
users=$(wait_for_window "$display" '^Tavrin - ') || fail "no user list: $(cat "$shots/tutor.stderr")"
sleep 0.5
screenshot "$display" "$shots/1-user-list.png"
DISPLAY=$display xdotool mousemove --sync --window "$users" 66 133 click 1 # "مستخدم جديد..."
dialog=$(wait_for_window "$display" '^مستخدم جديد$') || fail "no new-user dialog"
DISPLAY=$display xdotool windowfocus --sync "$dialog" type --delay 50 Amal
sleep 0.3
screenshot "$display" "$shots/2-new-user.png"
DISPLAY=$display xdotool windowfocus --sync "$dialog" key Return
sleep 1
screenshot "$display" "$shots/3-user-created.png"

data=$work/home/learner/.local/share/tavrin
[ -f "$data/Amal.USR" ] || fail "no profile in $data: $(ls -la "$data" 2>&1)"
in_root "$work" stat -c '%A %U %s bytes %n' /home/learner/.local/share/tavrin/Amal.USR /home/learner/.local/share/tavrin
[ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is not owner-only"
[ ! -e "$work/usr/bin/Amal.USR" ] || fail "a profile beside the program"

DISPLAY=$display xdotool mousemove --sync --window "$users" 250 22 click 1 # the new learner
DISPLAY=$display xdotool mousemove --sync --window "$users" 66 27 click 1  # "موافق"
wait_for_window "$display" '^Tavrin$' >/dev/null || fail "no main window after the login"
sleep 1
screenshot "$display" "$shots/4-logged-in.png"
main=$(wait_for_window "$display" '^Tavrin$')
DISPLAY=$display xdotool mousemove --sync --window "$main" 710 212 click 1 # "دروس خاصة"
sleep 1.5
screenshot "$display" "$shots/5-custom-lesson-folders.png" # opens on the learner's home
end_processes_in "$work" /usr/bin/tavrin

say "apt-get purge tavrin, then what it brought"
in_root "$work" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tavrin >"$shots/purge.log" 2>&1 ||
    fail "apt-get purge"
in_root "$work" env DEBIAN_FRONTEND=noninteractive apt-get autoremove --purge -y -q >>"$shots/purge.log" 2>&1 ||
    fail "apt-get autoremove"
while IFS= read -r file; do
    [ -z "$file" ] || [ ! -e "$work$file" ] || [ -d "$work$file" ] || fail "$file stayed"
done <"$shots/package-files.list"
echo "none of the package's $(wc -l <"$shots/package-files.list") files and folders stayed but shared folders"
listing >"$shots/after-purge.list"
comm -13 "$shots/installed.list" "$shots/after-purge.list" >"$shots/stayed.list"
echo "what the tutor's run left after the package went:"
sed 's/^/    /' "$shots/stayed.list"
# The learner's own files: the profile and its folders, the tutor's settings of the learner
# (~/.config/Tavrin) and the font cache fontconfig keeps for every program it serves.
unexpected=$(grep -v -E '^/home/learner/(\.local|\.local/share|\.local/share/tavrin(/.*)?|\.config|\.config/Tavrin(/.*)?|\.cache|\.cache/fontconfig(/.*)?)$' \
    "$shots/stayed.list" || true)
[ -z "$unexpected" ] || fail "more than the learner's data stayed: $unexpected"

echo "PASSED: the package installs, runs and goes on a clean Debian 12"
