# Sourced by the Wine scripts: where Wine's programs are (Debian's wine64 package) and the private prefix.
tessera_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_dir=/usr/lib/wine
wine=$wine_dir/wine64          # runs 64-bit programs and hands 32-bit ones to the 32-bit loader
wine32_loader=$wine_dir/wine   # the 32-bit loader itself (package wine32:i386)
wineserver=$wine_dir/wineserver
export WINEPREFIX=${WINEPREFIX:-$tessera_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

# A Unix path as Wine programs see it (Z: is the root of the Unix file system).
winepath_of() { echo "Z:$(realpath -m "$1" | sed 's|/|\\|g')"; }

# The 32-bit tests need the 32-bit loader and a kernel that runs 32-bit code; wine32_reason says why not.
wine32_available() {
  if [ ! -x "$wine32_loader" ]; then
    wine32_reason="the 32-bit Wine loader $wine32_loader is not installed (package wine32:i386)"
    return 1
  fi
  if ! "$wine32_loader" --version >/dev/null 2>&1; then
    wine32_reason="this machine cannot run 32-bit code ($wine32_loader --version fails)"
    return 1
  fi
  return 0
}
