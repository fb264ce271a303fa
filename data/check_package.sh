#!/bin/sh
# Builds the Debian package of a build folder with cpack into a folder of its
# own and runs lintian over it: no error, warning or pedantic tag may remain.
# Exit 77 (skipped) when cpack's helpers or lintian are missing.
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "$tool missing (Debian: cmake, dpkg-dev, lintian)"; exit 77; }
done
out=$(mktemp -d) || exit 1
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
set -- "$out"/*.deb
[ -f "$1" ] || { echo "cpack made no package"; cat "$out/cpack.log"; exit 1; }
lintian --pedantic --fail-on error,warning,pedantic "$1" >"$out/lintian.log" 2>&1
status=$?
# Root is warned against, harmless for a package that is only read.
grep -v '^running with root privileges' "$out/lintian.log"
[ $status -eq 0 ] && echo "lintian: $(basename "$1") clean"
exit $status
