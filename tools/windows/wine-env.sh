# Sourced by tests that run the Windows build: a steady Wine in a private Xvfb, fresh for each case.
#   . tools/windows/wine-env.sh
#   vx_wine_start || exit 1   # exports DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   wine game.exe ...         # or tools/windows/wine-run
#   vx_wine_stop
# VX_WINE_DIR is the case's own temporary folder (the prefix, the logs, room for the case's files);
# VX_WINE_SCREEN sets Xvfb's screen (1280x1024x24), VX_WINE_XVFB_ARGS adds to Xvfb's arguments (for
# example "-extension GLX": a display without OpenGL). vx_wine_start fails, with its logs on standard error
# and nothing left running, when Xvfb or Wine's first boot does not come up.
#
# Why each piece:
# - a fresh Xvfb per case: a key still held when one program ends stays held for the next one in the same
#   X server;
# - a fresh prefix per case, with Mono and Gecko never offered: no state carries over, and the boot takes
#   seconds instead of a quarter of a minute;
# - `wineserver -p` before the boot: a persistent server, so the processes Wine leaves running do not
#   hold a pipe on the program's output open (each piped run would otherwise wait about 2 s);
# - X11 Driver Managed=N: with no window manager, closing a window otherwise waits 2 s (Wine then draws
#   its own frame, so the client area sits at an offset on the screen);
# - Drivers Audio="": Wine's ALSA driver stays quiet instead of filling standard error. There is no sound
#   device either way: OpenAL Soft's wave writer or its null device stand in.

vx_wine_start() {
  # Wine turns Windows file names into Unix ones through the locale's character set: under the C locale
  # of a bare machine a name beyond ASCII cannot be made at all. C.UTF-8 is on every Debian system.
  export LC_ALL=C.UTF-8
  VX_WINE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/vx-wine.XXXXXX") || return 1
  VX_WINE_SAVED_DISPLAY=${DISPLAY-}
  VX_WINE_XVFB_PID=
  # Xvfb picks a free display and writes its number to the given descriptor.
  # shellcheck disable=SC2086  # VX_WINE_XVFB_ARGS is a list of arguments
  Xvfb -displayfd 3 -screen 0 "${VX_WINE_SCREEN:-1280x1024x24}" ${VX_WINE_XVFB_ARGS:-} -nolisten tcp -noreset \
    3>"$VX_WINE_DIR/display" >"$VX_WINE_DIR/xvfb.log" 2>&1 &
  VX_WINE_XVFB_PID=$!
  local _
  for _ in $(seq 100); do
    [ -s "$VX_WINE_DIR/display" ] && break
    kill -0 "$VX_WINE_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$VX_WINE_DIR/display" ]; then
    echo "vx_wine_start: Xvfb did not start:" >&2
    cat "$VX_WINE_DIR/xvfb.log" >&2
    vx_wine_stop
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$VX_WINE_DIR/display")"

  export WINEPREFIX=$VX_WINE_DIR/prefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The server's folder is named after the prefix folder, which must exist first.
  mkdir -p "$WINEPREFIX"
  local log=$VX_WINE_DIR/boot.log
  if ! { wineserver -p >/dev/null 2>&1 &&
         wine wineboot -i &&
         wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
         wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f; } >"$log" 2>&1; then
    echo "vx_wine_start: Wine did not boot in $WINEPREFIX:" >&2
    cat "$log" >&2
    vx_wine_stop
    return 1
  fi
}

# Ends the case's Wine server and Xvfb and removes its folder. Safe to call twice, or after a failed start.
vx_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    # -k ends the prefix's server (and with it every Wine process of the prefix) and waits for it.
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "${VX_WINE_XVFB_PID:-}" ]; then
    kill "$VX_WINE_XVFB_PID" 2>/dev/null || true
    wait "$VX_WINE_XVFB_PID" 2>/dev/null || true
    VX_WINE_XVFB_PID=
  fi
  if [ -n "${VX_WINE_DIR:-}" ]; then
    rm -rf "$VX_WINE_DIR"
    VX_WINE_DIR=
  fi
  unset WINEPREFIX
  if [ -n "${VX_WINE_SAVED_DISPLAY:-}" ]; then
    export DISPLAY=$VX_WINE_SAVED_DISPLAY
  else
    unset DISPLAY
  fi
}
