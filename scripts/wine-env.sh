# Sourced by scripts/test and scripts/run: a private Wine prefix, a persistent wineserver and an X display for
# the run.
# shellcheck source=scripts/wine-paths.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-paths.sh"

wine_env_start() {
  mkdir -p "$tessera_root/build"
  # An X display: message boxes and windows need one, or Wine returns from them at once.
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${TESSERA_SCREEN:-1280x1024x24}" -nolisten tcp >"$tessera_root/build/xvfb.log" 2>&1 &
  echo $! >"$tessera_root/build/xvfb.pid"
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

  # With the 32-bit loader present the prefix must be a WoW64 one (it has syswow64); one made before the
  # 32-bit loader was installed is made again.
  if [ -f "$WINEPREFIX/system.reg" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ] && wine32_available; then
    echo "test: the Wine prefix has no 32-bit part; creating it again"
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "test: creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >"$tessera_root/build/wineboot.log" 2>&1 || true
    "$wineserver" -w
  fi
  # Wine's own fonts (Tahoma, the title-bar glyphs of Marlett...) into the prefix: Debian's Wine does not load
  # them from its data folder, and the windows would be drawn with other faces.
  if [ -d /usr/share/wine/fonts ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # One persistent server for the whole run, so that each test program starts in milliseconds.
  setsid "$wineserver" -p >"$tessera_root/build/wineserver.log" 2>&1 < /dev/null &
  sleep 0.3
  # Start Wine's background services now, from a process whose output goes nowhere: started by the first
  # test program instead, they would inherit its output pipe and CTest would wait for them to end.
  "$wine" cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
  # Xvfb has no window manager: Wine draws the windows' frames and title bars itself, as Windows would.
  if ! grep -q '^"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null || true
  fi
  # Likewise the desktop process, which the first window brings up.
  local warmup=$tessera_root/build/win64/tests/helpers/warmup.exe
  [ -f "$warmup" ] && { "$wine" "$warmup" >/dev/null 2>&1 </dev/null || true; }
}

wine_env_stop() {
  "$wineserver" -k >/dev/null 2>&1 || true
  if [ -f "$tessera_root/build/xvfb.pid" ]; then
    kill "$(cat "$tessera_root/build/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$tessera_root/build/xvfb.pid"
  fi
}
