#!/usr/bin/env bash
# Runs a command (tools/test.sh unless given) in a clone of this repository's commit inside a
# Debian 13 root that it makes with debootstrap from Debian's packages, entered as a container
# would be: its own /proc, /sys, /dev, /dev/pts and /dev/shm. Exits with the command's status;
# the root, its processes and its mounts are gone afterwards, whether the command passed or not.
# Usage (as root): .ci/debian13.sh [COMMAND [ARG...]]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "debian13: debootstrap and mounts need root" >&2; exit 2; }
[ $# -gt 0 ] || set -- tools/test.sh
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap

root=$(mktemp -d "${TMPDIR:-/var/tmp}/selvara-debian13.XXXXXX")
chmod 755 "$root"  # the root's own / : the tests' ordinary user must be able to walk it

# The processes whose root is the Debian 13 root.
in_root() {
  local p
  for p in /proc/[0-9]*; do [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && echo "${p#/proc/}"; done
}
cleanup() {
  local status=$? signal pids
  set +e
  # Whatever the tests left running in the root (a display server, a bus) holds its mounts.
  for signal in TERM KILL; do
    pids=$(in_root)
    [ -n "$pids" ] || break
    kill "-$signal" $pids 2>/dev/null
    for _ in $(seq 50); do [ -z "$(in_root)" ] && break; sleep 0.1; done
  done
  findmnt -rn -o TARGET | grep -F "$root/" | sort -r | while read -r mount; do
    umount "$mount" || umount -l "$mount"
  done
  if findmnt -rn -o TARGET | grep -qF "$root/"; then
    echo "debian13: mounts left under $root; not removing it" >&2
  else
    rm -rf --one-file-system "$root"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The Debian mirror this machine's own apt uses (debootstrap's default when it names none).
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
  2>/dev/null | sed -e '/^[[:space:]]*#/d' | grep -oE 'https?://[^ ]+/debian/?( |$)' | head -1 |
  tr -d ' ') || true
start=$SECONDS
debootstrap --variant=minbase trixie "$root" ${mirror:+"$mirror"} >"$root.debootstrap.log" 2>&1 || {
  cat "$root.debootstrap.log" >&2
  rm -f "$root.debootstrap.log"
  exit 1
}
rm -f "$root.debootstrap.log"
echo "debian13: root made in $((SECONDS - start)) s"

mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount -t tmpfs -o mode=755,nosuid dev "$root/dev"
for node in null zero full random urandom tty; do
  touch "$root/dev/$node"
  mount --bind "/dev/$node" "$root/dev/$node"
done
mkdir "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$root/dev/pts"
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
ln -s pts/ptmx "$root/dev/ptmx"
ln -s /proc/self/fd "$root/dev/fd"
for fd in 0:stdin 1:stdout 2:stderr; do ln -s "/proc/self/fd/${fd%%:*}" "$root/dev/${fd#*:}"; done
# As in a container, packages start no services.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# Outside /root, whose mode 0700 would keep the ordinary user of the tests out.
git clone -q "$repo" "$root/srv/selvara-card-viewer"
# In the background, so that a signal to this script cleans up at once rather than after it.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/bash -c 'cd /srv/selvara-card-viewer && exec "$@"' bash "$@" &
wait $!
