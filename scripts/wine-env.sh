# Sourced by scripts/test: a private Wine prefix, a persistent wineserver and an X display for the run.
tessera_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=$tessera_root/build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

wine_env_start() {
  mkdir -p "$tessera_root/build"
  # An X display: message boxes and windows need one, or Wine returns from them at once.
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$tessera_root/build/xvfb.log" 2>&1 &
  echo $! >"$tessera_root/build/xvfb.pid"
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "test: creating the Wine prefix $WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >"$tessera_root/build/wineboot.log" 2>&1 || true
    /usr/lib/wine/wineserver -w
  fi
  # Wine's own fonts (Tahoma, the title-bar glyphs of Marlett...) into the prefix: Debian's Wine does not load
  # them from its data folder, and the windows would be drawn with other faces.
  if [ -d /usr/share/wine/fonts ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # One persistent server for the whole run, so that each test program starts in milliseconds.
  setsid /usr/lib/wine/wineserver -p >"$tessera_root/build/wineserver.log" 2>&1 < /dev/null &
  sleep 0.3
  # Start Wine's background services now, from a process whose output goes nowhere: started by the first
  # test program instead, they would inherit its output pipe and CTest would wait for them to end.
  /usr/lib/wine/wine64 cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
  # Xvfb has no window manager: Wine draws the windows' frames and title bars itself, as Windows would.
  if ! grep -q '^"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null || true
  fi
  # Likewise the desktop process, which the first window brings up.
  local warmup=$tessera_root/build/win64/tests/helpers/warmup.exe
  [ -f "$warmup" ] && { /usr/lib/wine/wine64 "$warmup" >/dev/null 2>&1 </dev/null || true; }
}

wine_env_stop() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  if [ -f "$tessera_root/build/xvfb.pid" ]; then
    kill "$(cat "$tessera_root/build/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$tessera_root/build/xvfb.pid"
  fi
}
