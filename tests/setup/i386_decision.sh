#!/usr/bin/env bash
# ensure_i386_packages with the kernel's answer faked: a kernel that refuses
# 32-bit programs gets no i386 architecture and no i386 package, and the
# line says why; one that runs them gets both; where their install fails,
# the set-up goes on without them and takes the architecture back.
set -u
. "$(dirname "$0")/../../cmake/deps.sh"
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Stand-ins for the system: root, nothing installed, every call recorded.
id() { echo 0; }
missing_packages() { printf '%s ' "$@"; }
dpkg() { echo "dpkg $*" >>"$t/calls"; }
install_packages() { echo "install $*" >>"$t/calls"; return "$install_status"; }
decide() {  # decide PROBE: runs ensure_i386_packages, its line in $t/said
  : >"$t/calls"
  PACK_PROBE_I386=$1 PACK_I386_FAILED=
  ensure_i386_packages 2>"$t/said"
}

# An i386 program the kernel refuses: ELF magic, then nothing it can load.
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000junk' >"$t/refused"
chmod +x "$t/refused"
install_status=0
decide "$t/refused"
[ ! -s "$t/calls" ] || fail "no 32-bit kernel, yet: $(cat "$t/calls")"
grep -q 'runs no 32-bit program (tools/probe-i386: Exec format error); no i386 packages' "$t/said" ||
  fail "no 32-bit kernel: the line says: $(cat "$t/said")"

decide /bin/true
grep -qx 'dpkg --add-architecture i386' "$t/calls" && grep -qx "install $PACK_I386_PACKAGES" "$t/calls" ||
  fail "32-bit kernel: expected the architecture and the packages, got: $(cat "$t/calls")"
[ -z "$PACK_I386_FAILED" ] || fail "32-bit kernel: a good install reported as failed"

install_status=1
decide /bin/true
[ -n "$PACK_I386_FAILED" ] || fail "a failed install of the i386 packages is not reported"
grep -qx 'dpkg --remove-architecture i386' "$t/calls" || fail "the architecture added for nothing stays: $(cat "$t/calls")"
echo "i386 decision: ok"
