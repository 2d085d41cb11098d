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
