#!/bin/sh
# The release rebuilds bit for bit. The source archive of HEAD is unpacked in another folder
# and built with another time (faketime), time zone, locale, umask, HOME, job count and file
# order (disorderfs, where there is FUSE) and filesystem (a tmpfs, where the first build was on
# disk); its release/ must equal the one `make release` makes in this tree (with uncommitted
# changes, or a tree on a tmpfs: a plain build of the same archive on disk). diffoscope tells any
# difference.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
fs() { stat -f -c %T "$1"; }
tmp=$(mktemp -d /dev/shm/vaultmoor-rebuild.XXXXXX) disk=$(mktemp -d /var/tmp/vaultmoor-rebuild.XXXXXX)
trap 'fusermount -uq "$tmp/b" 2>/dev/null || true; rm -rf "$tmp" "$disk"' EXIT
v=$(sed -n 's/^project.Vaultmoor VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
TZ=XYZ-14 faketime -f +398d git -C "$top" archive --format=tar.gz --prefix="vaultmoor-$v/" \
    -o "$tmp/vaultmoor-$v.tar.gz" HEAD
build() {  # build FOLDER [VAR=value...]: make release in the unpacked archive
  dir=$1 && shift && tar -xzf "$tmp/vaultmoor-$v.tar.gz" -C "$dir"
  (cd "$dir/vaultmoor-$v" && env -u SOURCE_DATE_EPOCH -u MAKEFLAGS -u MAKELEVEL "$@" \
      make --no-print-directory release SOURCE_ARCHIVE="$tmp/vaultmoor-$v.tar.gz" >"$dir.log" 2>&1) ||
    { tail -40 "$dir.log"; exit 1; }
}
if [ -z "$(git -C "$top" status --porcelain --untracked-files=no)" ] && [ "$(fs "$top")" != tmpfs ]; then
  make -C "$top" --no-print-directory release && a=$top/release
else
  echo "Uncommitted changes, or the tree on a tmpfs: HEAD is built twice." &&
    mkdir "$disk/a" && build "$disk/a"
  a=$disk/a/vaultmoor-$v/release
fi
mkdir "$tmp/b" "$tmp/b0" "$tmp/home" "$tmp/locale"
if disorderfs --shuffle-dirents=yes --quiet "$tmp/b0" "$tmp/b" 2>/dev/null; then
  order="file order (disorderfs)"
else
  order="no file order (no FUSE here)" && rmdir "$tmp/b0"
fi
locale=de_DE.UTF-8 && localedef -i de_DE -f UTF-8 "$tmp/locale/$locale" 2>/dev/null || locale=C
umask 002
build "$tmp/b" LOCPATH="$tmp/locale" LC_ALL=$locale TZ=XYZ-14 HOME="$tmp/home" \
    CMAKE_BUILD_PARALLEL_LEVEL=5 faketime -f +398d
b=$tmp/b/vaultmoor-$v/release
echo "Built on $(fs "$a"), rebuilt on $(fs "$tmp") in $tmp/b, 398 days later, at UTC+14, in $locale, umask 002, another HOME, 5 jobs, $order:"
(cd "$a" && sha256sum -c SHA256SUMS)
diff -r "$a" "$b" >/dev/null || { diffoscope --exclude-directory-metadata=yes --text - "$a" "$b"; exit 1; }
echo "release/ rebuilt bit for bit ($(ls "$b" | wc -l) files)."
