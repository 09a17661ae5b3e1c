#!/bin/bash
# `make test` as a new player's machine runs it: in a fresh Debian root made for this run from
# this machine's Debian mirror, holding only what the README assumes (git, make, sudo,
# certificates), with a fresh clone of the commit, a bare environment and /tmp a tmpfs, as a
# new Debian 13 install has it. Nothing installed here by hand can help it. Needs root
# (mmdebstrap, a private mount namespace, chroot).
# usage: [DEBIAN=13|12] tools/test-fresh.sh [COMMIT]
#   (default Debian 13 and HEAD; KEEP_ROOT=1 keeps the root to look at)
set -euo pipefail
{  # read whole before it runs: a checkout during the run cannot change it
top=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$top" rev-parse "${1:-HEAD}")
fail() { echo "test-fresh: $*" >&2; exit 1; }
[ "$(id -u)" = 0 ] || fail "needs root (run it with sudo)"
command -v mmdebstrap >/dev/null || fail "mmdebstrap is missing (make deps-fresh)"
debian=${DEBIAN:-13}
case $debian in
13) suite=trixie ;;
12) suite=bookworm ;;
*) fail "DEBIAN=$debian: the releases tested are 13 and 12" ;;
esac

root=$(mktemp -d "${TMPDIR:-/var/tmp}/vaultmoor-fresh.XXXXXX") ||
  fail "could not make the fresh root's folder; nothing was run"
cleanup() {
  [ -n "${KEEP_ROOT:-}" ] && { echo "test-fresh: the root is kept in $root"; return; }
  # Anything still mounted below the root belongs to the namespace, gone with it.
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

# The machine's Debian mirror, for the release asked for: the entries of its apt sources whose
# suites are its own release's (and -updates, -security), renamed for that release; nothing
# else of its sources, which a new machine would not have. Its Acquire settings (proxies, a
# mirror's dates) and its certificate authorities, which a new machine here trusts too. dpkg
# need not sync a root that lives for one run.
. /etc/os-release
own=${VERSION_CODENAME:?/etc/os-release names no release}
sources=$({ cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } | awk -v own="$own" -v to="$suite" '
  function flush() { if (keep) printf "%s\n", stanza; stanza = ""; keep = 0 }
  /^[[:space:]]*$/ { flush(); next }
  /^#/ { next }
  /^Suites:/ {
    line = "Suites:"
    for (i = 2; i <= NF; i++) if ($i ~ "^" own "(-updates|-security)?$") {
      sub("^" own, to, $i); line = line " " $i; keep = 1 }
    $0 = line
  }
  { stanza = stanza $0 "\n" }
  END { flush() }')
sources+=$'\n'$({ cat /etc/apt/sources.list.d/*.list /etc/apt/sources.list 2>/dev/null || true; } |
  awk -v own="$own" -v to="$suite" '/^deb / { for (i = 2; i <= NF; i++)
    if ($i ~ "^" own "(-updates|-security)?$") { sub("^" own, to, $i); print; next } }')
[ -n "${sources//[[:space:]]/}" ] || fail "no Debian $own sources in /etc/apt to make a Debian $debian root from"
aptopts=$root.apt.conf
grep -hE '^Acquire::[^{]*;[[:space:]]*$' /etc/apt/apt.conf.d/* >"$aptopts" 2>/dev/null || true
trap 'cleanup; rm -f "$aptopts"' EXIT
start=$(date +%s)
echo "test-fresh: making a Debian $debian ($suite) root in $root"
printf '%s\n' "$sources" | mmdebstrap --quiet --variant=apt --aptopt="$aptopts" \
  --include=git,make,sudo,ca-certificates --dpkgopt=force-unsafe-io \
  --customize-hook='mkdir -p "$1/usr/local/share/ca-certificates"' \
  --customize-hook='cp -r /usr/local/share/ca-certificates/. "$1/usr/local/share/ca-certificates/" 2>/dev/null || true' \
  --customize-hook='chroot "$1" update-ca-certificates >/dev/null 2>&1' \
  "$suite" "$root" - ||
  fail "could not make the fresh root (mmdebstrap failed); nothing was run on this machine instead"
# Its own network settings, as any machine here has.
cp /etc/resolv.conf /etc/hosts "$root/etc/"
mkdir -p "$root/work"
git clone --quiet --no-checkout "$top" "$root/work/vaultmoor"
git -C "$root/work/vaultmoor" checkout --quiet --detach "$commit"
echo "test-fresh: root made in $(($(date +%s) - start)) s; make test on $(git -C "$top" log -1 --format='%h %s' "$commit")"

# The bare environment of a new login, HOME an empty folder: no display, bus, runtime folder or
# settings.
env=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8)
for v in NODE_EXTRA_CA_CERTS SSL_CERT_FILE SSL_CERT_DIR CURL_CA_BUNDLE GIT_SSL_CAINFO \
  REQUESTS_CA_BUNDLE http_proxy https_proxy no_proxy CI; do
  [ -n "${!v:-}" ] && env+=("$v=${!v}")
done
unshare --mount --fork /bin/bash -euc '
  root=$1 && shift
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/tmp"
  exec chroot "$root" /usr/bin/env -i "$@" /bin/bash -c "cd /work/vaultmoor && make test"
' - "$root" "${env[@]}"
echo "test-fresh: make test passed in a fresh Debian $debian root in $(($(date +%s) - start)) s"
exit
}
