# shellcheck shell=bash
# Sourced by scripts/run, scripts/test and tools/wine-run: a private X server for Wine's
# windows when there is no display, and the Wine session that is bound to it.

# Starts an Xvfb in its own session and prints "NUMBER PID". The server picks a free
# display number itself (-displayfd), so runs side by side on one machine never race for
# one, and reports it only once it accepts connections. The screen is 1600 x 1000 unless
# FOLDMERE_SCREEN asks for another size (WIDTHxHEIGHT).
foldmere_start_xvfb() {
  local numfile n="" _
  numfile=$(mktemp "${TMPDIR:-/tmp}/xvfb.XXXXXX")
  setsid Xvfb -displayfd 3 -screen 0 "${FOLDMERE_SCREEN:-1600x1000}x24" -nolisten tcp \
    3>"$numfile" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    read -r n <"$numfile" 2>/dev/null && [ -n "$n" ] && break
    n=""
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  # A script has no job control, so setsid runs Xvfb in place and $! is the server.
  echo "$n $!"
}

# Stops an Xvfb started above and waits (at most 5 s) until it is gone.
foldmere_stop_xvfb() {
  local pid=$1 _
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

# Stops every Wine process of a prefix. Wine's desktop process stays on the display it
# was started on, so a run on a new display starts with none left from before.
foldmere_stop_wine() {
  [ -d "$1" ] || return 0
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}
