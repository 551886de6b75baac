# Sourced by the test and demo commands: one Xvfb and one kept-alive Wine server for a run.
session_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
  # A crashed program ends at once with its exception code instead of waiting in the debugger.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winedbg.exe=d}"
  if [ -z "${LOGINTARN_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    SESSION_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh" "$WINEPREFIX"
  HOME="$WINEPREFIX.home" /usr/lib/wine/wineserver -p
  # Start Wine's own services now, detached from our output: started by the first test,
  # they would inherit its pipe and keep ctest waiting for the end of its output.
  HOME="$WINEPREFIX.home" /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
}

session_stop() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -n "${SESSION_XVFB_PID:-}" ]; then
    kill "$SESSION_XVFB_PID" 2>/dev/null || true
    wait "$SESSION_XVFB_PID" 2>/dev/null || true
  fi
}
