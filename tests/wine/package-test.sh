#!/usr/bin/env bash
# CTest's windows_package: makes the packages from the cross build
# (scripts/package-windows) with the first catalogue given that exists, then
# tries them under Wine (package-under-wine.sh).
#   package-test.sh SOURCE_DIR WORK LINUX_CLI CATALOGUE...
# Skipped (77) where Qt for Windows, makensis or wine64 is missing, or the
# cross build was configured before Qt for Windows was there.
set -uo pipefail
source_dir=$1
work=$2
linux_cli=$3
shift 3
skip=77

deps=${DECLARIUM_WINDOWS_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/declarium/windows-deps}
[ -f "$deps/qt/debian-version" ] ||
  { echo "SKIPPED: no Qt for Windows in $deps/qt (scripts/build-windows-qt builds it)"; exit $skip; }
command -v makensis >/dev/null || { echo "SKIPPED: no makensis (Debian's nsis; scripts/setup installs it)"; exit $skip; }
command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ] ||
  { echo "SKIPPED: wine64 is not installed (scripts/setup installs it)"; exit $skip; }
cache=$source_dir/build/windows-cross/CMakeCache.txt
grep -qs '^DECLARIUM_GUI:BOOL=ON' "$cache" ||
  { echo "SKIPPED: the cross build has no declarium.exe (scripts/build-windows-cross configures it with Qt)"; exit $skip; }

catalogue=""
for candidate in "$@"; do
  if [ -f "$candidate" ]; then catalogue=$candidate; break; fi
done
[ -n "$catalogue" ] || { echo "FAILED: none of the catalogues $* exists"; exit 1; }
echo "Packaging with $catalogue"
"$source_dir/scripts/package-windows" --catalogue "$catalogue" || { echo "FAILED: scripts/package-windows"; exit 1; }
exec bash "$source_dir/tests/wine/package-under-wine.sh" "$source_dir/build/windows-cross/packages" "$work" "$linux_cli"
