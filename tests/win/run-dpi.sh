#!/usr/bin/env bash
# Runs the tests of the windows' scale once at each DPI, in a prefix of their own: Wine
# reads the screen's DPI (LogPixels) once at a program's start, the shared prefix of the
# other tests stays at 96, and its screen is too small for a window moved to 144 dpi.
#   run-dpi.sh WINE-RUN PREFIX TESTS.EXE
set -uo pipefail

wine_run=$1 prefix=$2 tests=$3
# The window at 192 dpi is about 2,900 x 1,800 pixels; the screen holds it whole.
export FOLDMERE_SCREEN=3200x2000
status=0
for dpi in 96 120 144 192; do
  # On the prefix's own display, so that the next window of the session starts cleanly.
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
