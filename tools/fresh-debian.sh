#!/usr/bin/env bash
# tools/fresh-debian.sh [DIR]  the README's two commands on a fresh Debian
# bookworm, as a new user's machine would run them: a minbase system made
# with debootstrap in DIR (default /var/tmp/velkrant-fresh, which must not
# exist), given this machine's apt sources and settings, CA certificates and
# proxy settings, with /proc, /sys, /dev, /dev/pts and a tmpfs /tmp mounted;
# then a clean clone of this repository's HEAD in it runs
#   ./run.sh curves --frame 5000 a.png
#   ./test.sh
# each timed. Needs root and some 10 GB; takes about half an hour. Not part
# of ./test.sh. The folder is kept for a look afterwards (remove it with
# rm -rf once this script has ended: its mounts are gone by then).
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-/var/tmp/velkrant-fresh}
say() { echo "fresh-debian: $*" >&2; }
[ "$(id -u)" -eq 0 ] || { say "needs root (debootstrap, mount, chroot)"; exit 2; }
[ -e "$root" ] && { say "$root exists; remove it or name another folder"; exit 2; }
. "$here/cmake/deps.sh"
ensure_packages debootstrap git

# The mirror this machine's own sources name first.
mirror=$(grep -h -m1 -E '^URIs: ' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{ print $2; exit }')
mirror=${mirror:-http://deb.debian.org/debian}
say "debootstrap --variant=minbase bookworm $root $mirror"
log=$(mktemp)
if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1; then
  tail -n 20 "$log" >&2
  say "debootstrap failed"
  exit 1
fi
rm -f "$log"

# This machine's sources and apt settings (proxies among them), its own CA
# certificates (installed with ca-certificates, which the web tests bring),
# and its name service.
rm -f "$root/etc/apt/sources.list"  # debootstrap's own, which would name the mirror twice
cp -a /etc/apt/sources.list.d /etc/apt/apt.conf.d "$root/etc/apt/"
[ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/"
mkdir -p "$root/usr/local/share/ca-certificates"
cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/" 2>/dev/null
cp /etc/resolv.conf "$root/etc/"

mounted=()
mount_in() {  # mount_in TARGET MOUNT-ARGS...
  mkdir -p "$root$1"
  mount "${@:2}" "$root$1" || { say "cannot mount $root$1"; exit 1; }
  mounted=("$root$1" "${mounted[@]}")
}
cleanup() {
  # Whatever still runs inside (an X server, a Wine server) ends first.
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for p in "${mounted[@]}"; do umount -l "$p" 2>/dev/null; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /tmp -t tmpfs tmpfs

git clone --quiet --no-local "$here" "$root/root/velkrant" || { say "cannot clone $here"; exit 1; }

# A login's environment, with this machine's proxy and CA settings.
env_vars=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=${TERM:-xterm})
for name in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY NODE_EXTRA_CA_CERTS npm_config_cafile; do
  [ -n "${!name:-}" ] && env_vars+=("$name=${!name}")
done
in_chroot() { chroot "$root" /usr/bin/env -i "${env_vars[@]}" /bin/bash -c "cd /root/velkrant && $1" </dev/null; }

status=0
start=$SECONDS
say "./run.sh curves --frame 5000 a.png"
if in_chroot './run.sh curves --frame 5000 a.png && test -s a.png'; then
  say "run.sh: passed in $((SECONDS - start)) s"
else
  say "run.sh: FAILED after $((SECONDS - start)) s"
  status=1
fi
start=$SECONDS
say "./test.sh"
if in_chroot './test.sh'; then
  say "test.sh: passed in $((SECONDS - start)) s"
else
  say "test.sh: FAILED after $((SECONDS - start)) s"
  status=1
fi
exit $status
