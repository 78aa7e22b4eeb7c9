#!/usr/bin/env bash
# Proves that the installer's folder starts on a bare desktop: a minimal Debian 12 (debootstrap)
# with only an X server (Xvfb), a window manager (twm, with the X fonts it draws with), fontconfig,
# libgl1, libegl1, libxkbcommon0 and xdg-utils. Every library the programs and the xcb plugin load must resolve there; Setup is
# walked through as the learner, page by page, and the tutor it installed started from the menu
# entry it wrote. Then, with xmessage added (Debian's xorg has it) and the installed libOpenGL.so.0
# removed, the tutor's launcher must show the loader's message and end with status 127.
# Screenshots of each step go to SHOTS. Run as root; the root is made once into KZ_ROOT_CACHE.
#
# usage: check-bare-desktop.sh [SETUP-FOLDER [SHOTS]]   (default build/setup-folder, build/bare-desktop-shots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-root.sh"

folder=$(readlink -f "${1:-$here/../build/setup-folder}")
shots=$(readlink -f "${2:-$here/../build/bare-desktop-shots}")
[ -f "$folder/runtime.list" ] || fail "no staged installer's folder at $folder"
mkdir -p "$shots"
rm -f "$shots"/*.png

bare=$(root_with bookworm-bare-desktop xvfb xauth twm xfonts-base fontconfig libgl1 libegl1 libxkbcommon0 \
    xdg-utils)
work=$root_cache/bare-desktop-check
say "working in a copy of $bare"
fresh_copy "$bare" "$work"
trap 'end_processes_in "$work"' EXIT
home=$work/home/learner
cp -a "$folder" "$home/setup-folder"
chown -R $learner_uid:$learner_uid "$home/setup-folder"

say "the libraries the programs load, as the bare desktop resolves them"
for object in Setup KZ.EX_ tavrin-setup tavrin platforms/libqxcb.so; do
    missing=$(in_root "$work" ldd "/home/learner/setup-folder/$object" | grep 'not found' || true)
    [ -z "$missing" ] || fail "$object: $missing"
    echo "$object: all found"
done

# twm places a new window where the learner clicks, here where the program asks; its default faces
# come from the 75 dpi fonts, the "fixed" of xfonts-base does.
cat >"$home/.twmrc" <<'EOF'
UsePPosition "on"
RandomPlacement
TitleFont "fixed"
MenuFont "fixed"
IconFont "fixed"
ResizeFont "fixed"
IconManagerFont "fixed"
EOF
display=:$(free_display)
in_root "$work" Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
as_learner "$work" env DISPLAY="$display" twm 2>"$shots/twm.stderr" &
sleep 1
[ -n "$(processes_in "$work" /usr/bin/twm)" ] || fail "twm did not start: $(cat "$shots/twm.stderr")"

window() { wait_for_window "$display" "$1" "${2:-30}" || fail "no window named '$1'"; }
press() { DISPLAY=$display xdotool windowfocus --sync "$1" key --delay 30 "$2"; }
shot() {
    sleep 0.5 # lets the window manager frame and the program draw
    screenshot "$display" "$shots/$1.png"
    echo "screenshot $shots/$1.png"
}

say "Setup, as the learner"
as_learner "$work" env DISPLAY="$display" /home/learner/setup-folder/Setup &
setup=$!
page=$(window 'مرحباً')
shot 1-welcome
press "$page" Return
page=$(window 'المسار')
shot 2-path
press "$page" Return
page=$(window 'مجموعة في قائمة')
shot 3-menu-group
press "$page" Return
page=$(window '^تركيب Tavrin - نسخ الملفات$')
shot 4-ready
press "$page" Return
window '^نسخ الملفات$' >/dev/null
shot 5-copying
page=$(window '^Tavrin$' 60)
shot 6-installed
press "$page" Return
status=0
wait $setup || status=$?
[ $status -eq 0 ] || fail "Setup ended with status $status"
echo "Setup ended with status 0"

say "the installed tutor, from its menu entry"
entry=$home/.local/share/applications/tavrin-Tavrin-1.desktop
[ -f "$entry" ] || fail "no menu entry $entry"
grep -E '^(Exec|Path|Categories)=' "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
program=${exec_line#\"}
program=${program%\"}
as_learner "$work" env DISPLAY="$display" "$program" &
tutor=$!
window '^Tavrin - ' >/dev/null
shot 7-installed-tutor
end_processes_in "$work" "$program"
wait $tutor || true

say "the tutor without libOpenGL.so.0, with xmessage added"
in_root "$work" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends x11-utils' >/dev/null
rm "$home/KZ/libOpenGL.so.0"
as_learner "$work" env DISPLAY="$display" "$program" 2>"$shots/missing-library.stderr" &
tutor=$!
page=$(window '^Tavrin$')
shot 8-missing-library
press "$page" Return
status=0
wait $tutor || status=$?
echo "the launcher ended with status $status; the loader said: $(cat "$shots/missing-library.stderr")"
[ $status -eq 127 ] || fail "status $status, not 127"
grep -q 'libOpenGL.so.0' "$shots/missing-library.stderr" || fail "the loader's message does not name libOpenGL.so.0"

echo "PASSED: the installer's folder starts on a bare desktop"
