# Helpers, sourced by the checks that run the programs in a fresh Debian 12 root made with
# debootstrap: the roots are made once and kept in KZ_ROOT_CACHE (default ~/.cache/tavrin-roots),
# each check works in a copy of one. Needs root (debootstrap, chroot, mounts), debootstrap and the
# network to a Debian mirror (KZ_DEBIAN_MIRROR, default deb.debian.org).

root_cache=${KZ_ROOT_CACHE:-$HOME/.cache/tavrin-roots}
mirror=${KZ_DEBIAN_MIRROR:-http://deb.debian.org/debian}
learner_uid=1000

say() { printf '== %s\n' "$*" >&2; }
fail() {
    printf 'FAILED: %s\n' "$*" >&2
    exit 1
}

# Runs COMMAND inside ROOT, in a private mount namespace (nothing stays mounted afterwards) with the
# machine's /dev, a /proc and the X server sockets of /tmp/.X11-unix, shared with the machine so its
# xdotool and screenshots reach an X server started inside.
# Its status is the command's.
# usage: in_root ROOT COMMAND [ARGUMENT...]
in_root() {
    local root=$1
    shift
    mkdir -p /tmp/.X11-unix "$root/tmp/.X11-unix"
    chmod 1777 /tmp/.X11-unix "$root/tmp"
    unshare --mount --fork --kill-child -- sh -c '
        root=$1; shift
        mount --rbind /dev "$root/dev" && mount -t proc proc "$root/proc" &&
            mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" || exit 125
        exec chroot "$root" "$@"' sh "$root" "$@"
}

# As in_root, as the learner (uid 1000, home /home/learner) with a clean environment.
# usage: as_learner ROOT COMMAND [ARGUMENT...]
as_learner() {
    local root=$1
    shift
    in_root "$root" setpriv --reuid=$learner_uid --regid=$learner_uid --init-groups -- \
        env -i HOME=/home/learner USER=learner LOGNAME=learner PATH=/usr/local/bin:/usr/bin:/bin \
        LANG=C.UTF-8 "$@"
}

# The minimal Debian 12 every root starts from, with the release's updates and security mirrors.
# usage: minimal_root (prints its folder)
minimal_root() {
    local root=$root_cache/bookworm-minbase
    if [ ! -d "$root" ]; then
        say "debootstrap of a minimal Debian 12 into $root"
        mkdir -p "$root_cache"
        rm -rf "$root.new"
        debootstrap --variant=minbase bookworm "$root.new" "$mirror" >&2 || fail "debootstrap"
        cat >"$root.new/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${KZ_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security} bookworm-security main
EOF
        in_root "$root.new" useradd --create-home --uid $learner_uid --shell /bin/sh learner >&2
        mv "$root.new" "$root"
    fi
    echo "$root"
}

# A root of the cache: the minimal root with PACKAGES (and what they depend on, no recommends),
# made again when the list changes.
# usage: root_with NAME PACKAGE... (prints its folder)
root_with() {
    local name=$1
    shift
    local root=$root_cache/$name
    if [ "$(cat "$root.packages" 2>/dev/null)" != "$*" ]; then
        rm -rf "$root"
    fi
    if [ ! -d "$root" ]; then
        local base
        base=$(minimal_root)
        say "making $root: $*"
        rm -rf "$root.new"
        cp -a "$base" "$root.new"
        in_root "$root.new" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "$@" && apt-get clean' sh "$@" >&2 ||
            fail "installing $* into $root"
        mv "$root.new" "$root"
        echo "$*" >"$root.packages"
    fi
    echo "$root"
}

# The ids of the processes whose root folder is ROOT (what a check started there), or only of
# those running PROGRAM (a path inside ROOT).
# usage: processes_in ROOT [PROGRAM]
processes_in() {
    local root process
    root=$(readlink -f "$1")
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] || continue
        [ -z "${2:-}" ] || [ "$(readlink "$process/exe" 2>/dev/null)" = "$root$2" ] || continue
        echo "${process#/proc/}"
    done
}

# Ends the processes processes_in finds, and waits for them.
# usage: end_processes_in ROOT [PROGRAM]
end_processes_in() {
    local pids
    mapfile -t pids < <(processes_in "$@")
    [ ${#pids[@]} -eq 0 ] && return 0
    kill "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "${pids[@]}" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null || true
}

# A scratch copy of ROOT at COPY, to change freely.
# usage: fresh_copy ROOT COPY
fresh_copy() {
    rm -rf "$2"
    cp -a "$1" "$2"
}

# The first display number from :90 up with neither a socket nor a lock file.
free_display() {
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    echo $n
}

# Waits up to SECONDS for a window whose name matches PATTERN on DISPLAY; prints its id.
# usage: wait_for_window DISPLAY PATTERN [SECONDS]
wait_for_window() {
    local display=$1 pattern=$2 seconds=${3:-30} id
    for _ in $(seq $((seconds * 5))); do
        id=$(DISPLAY=$display xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
        [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.2
    done
    return 1
}

# A screenshot of the whole screen of DISPLAY into FILE.
screenshot() { DISPLAY=$1 import -window root "$2"; }
