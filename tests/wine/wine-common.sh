# Shared by the Wine scripts (sourced): finds wine64 and its wineserver, and
# turns Unix paths into the Windows paths Wine shows them as.

# Sets wine and wineserver; exits with 77 (skipped) when wine64 is missing.
wine=$(command -v wine64 || true)
for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64; do
  if [ -z "$wine" ] && [ -x "$candidate" ]; then wine=$candidate; fi
done
if [ -z "$wine" ]; then
  echo "SKIPPED: wine64 is not installed (scripts/setup installs it)"
  exit 77
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)

# A Unix path as Wine's Z: drive shows it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
