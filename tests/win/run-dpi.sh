#!/usr/bin/env bash
# Runs the tests of the windows' scale once at each DPI, in a prefix of their own: Wine
# reads the screen's DPI (LogPixels) once at a program's start, the shared prefix of the
# other tests stays at 96, and its screen is too small for a window moved to 144 dpi.
#   run-dpi.sh WINE-RUN PREFIX TESTS.EXE
set -uo pipefail

wine_run=$1 prefix=$2 tests=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/lib/display.sh
. "$here/../../scripts/lib/display.sh"

# A screen of its own that holds the window at 192 dpi (about 2,900 x 1,800 pixels), also
# when the caller has a display; Wine's desktop process of the prefix is bound to the
# display it first saw, so the prefix starts afresh on this one and stops with it.
started=$(FOLDMERE_SCREEN=3200x2000 foldmere_start_xvfb) || exit 1
xvfb_pid=${started#* }
export DISPLAY=":${started%% *}"
cleanup() {
  foldmere_stop_wine "$prefix"
  foldmere_stop_xvfb "$xvfb_pid"
}
trap cleanup EXIT
foldmere_stop_wine "$prefix"

status=0
for dpi in 96 120 144 192; do
  # On the prefix's display, so that the next window of the session starts cleanly.
  if ! "$wine_run" --prefix "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null; then
    echo "run-dpi: could not set LogPixels to $dpi" >&2
    exit 1
  fi
  echo "--- the tests at $dpi dpi"
  # The tests check that the program did start at that DPI.
  FOLDMERE_TEST_DPI=$dpi "$wine_run" --prefix "$prefix" "$tests" --gtest_filter='*Scale.*:AboutBox.EveryText*' ||
    status=1
done
exit "$status"
