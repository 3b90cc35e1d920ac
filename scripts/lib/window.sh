# shellcheck shell=bash
# Sourced by scripts/run and the end-to-end tests: finds, captures and closes a program's
# window on $DISPLAY with xdotool and ImageMagick. Every wait polls for its condition and
# gives up at a limit, so a slow machine costs time, never a wrong result. Places in the
# window are 96-dpi design numbers; FOLDMERE_DPI names the DPI the program runs at.

# A program driven from outside, as a user would, gets windows for a window manager, as on
# a desktop (tools/wine-run). Placed by Wine itself, a window closed with Alt+F4 from
# xdotool left the Wine server in a state where the next program it started quit at once.
export FOLDMERE_MANAGED_WINDOWS=1

# foldmere_scaled N
# Prints the design number N at FOLDMERE_DPI (96 by default), a half rounded up as the
# program rounds.
foldmere_scaled() {
  local dpi=${FOLDMERE_DPI:-96}
  echo $((($1 * dpi + 48) / 96))
}

# foldmere_wait_window PID PATTERN SECONDS
# Prints the id of the largest visible window whose name matches PATTERN (a regular
# expression). Fails at once when the process PID ends first: a program that quits
# during start-up should not cost the whole limit.
foldmere_wait_window() {
  local pid=$1 pattern=$2 deadline=$((SECONDS + $3)) ids id best="" area best_area=0
  local WIDTH HEIGHT
  while [ "$SECONDS" -lt "$deadline" ]; do
    ids=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null) || ids=""
    for id in $ids; do
      WIDTH=0 HEIGHT=0
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')" || continue
      area=$((WIDTH * HEIGHT))
      if [ "$area" -gt "$best_area" ]; then best=$id best_area=$area; fi
    done
    if [ -n "$best" ]; then
      echo "$best"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# foldmere_capture_painted WINDOW SECONDS OUT.png [-screen]
# Captures the window (or "root") until two captures in a row are the same and not one
# flat colour, that is the program has painted and stopped painting. Writes the last
# capture to OUT.png either way; fails when the window never settled. With -screen the
# capture is what the screen shows over the window, other windows on top of it included.
foldmere_capture_painted() {
  local window=$1 deadline=$((SECONDS + $2)) out=$3 screen=${4:-} dir prev cur colours settled=1
  dir=$(mktemp -d "${TMPDIR:-/tmp}/capture.XXXXXX")
  # A pointer resting on a row or a button would bring up a tip in the picture.
  xdotool mousemove 0 0 2>/dev/null || true
  prev="$dir/a.ppm" cur="$dir/b.ppm"
  while [ "$SECONDS" -lt "$deadline" ]; do
    if import $screen -window "$window" "ppm:$cur" 2>/dev/null; then
      colours=$(convert "$cur" -format '%k' info: 2>/dev/null) || colours=0
      if [ "$colours" -gt 1 ] && [ -f "$prev" ] && cmp -s "$prev" "$cur"; then
        settled=0
        break
      fi
      mv -f "$cur" "$prev"
    fi
    sleep 0.3
  done
  [ -f "$cur" ] || cur="$prev"
  # Without metadata the same picture gives the same file.
  [ -f "$cur" ] && convert "$cur" -strip "$out"
  rm -rf "$dir"
  return "$settled"
}

# foldmere_open_about WINDOW
# Opens Help > About of the main window from the keyboard, as a user would, after a click
# on its status bar has given it the focus.
foldmere_open_about() {
  local window=$1 WIDTH HEIGHT frame
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  frame=$(((WIDTH - $(foldmere_scaled 1429)) / 2))
  xdotool mousemove --window "$window" $((frame + $(foldmere_scaled 1000))) \
    $((HEIGHT - frame - $(foldmere_scaled 37) - $(foldmere_scaled 9))) click 1
  xdotool key alt+h
  sleep 0.5
  xdotool key a
}

# foldmere_start_copy WINDOW NAME
# Finds the row NAME in the left list by typing its name, then presses F5 and Enter in the
# copy dialog, as a user would.
foldmere_start_copy() {
  local window=$1 name=$2 WIDTH HEIGHT frame
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  frame=$(((WIDTH - 1429) / 2))
  xdotool mousemove --window "$window" $((frame + 140)) $((HEIGHT - frame - 863 + 200)) click 1
  xdotool type --delay 20 "$name"
  sleep 0.5
  xdotool key F5
  sleep 1.5
  xdotool key Return
}

# foldmere_close_box WINDOW SECONDS
# Closes a window of the program that is not its main window, such as a modal box, with
# Alt+F4 and waits until it is gone. Fails when it outlives the limit.
foldmere_close_box() {
  local window=$1 deadline=$((SECONDS + $2)) next=0
  while xdotool getwindowname "$window" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    if [ "$SECONDS" -ge "$next" ]; then
      timeout 5 xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
      xdotool key --window "$window" alt+F4 >/dev/null 2>&1 || true
      next=$((SECONDS + 5))
    fi
    sleep 0.1
  done
}

# foldmere_close_window PID WINDOW SECONDS
# Closes the window with Alt+F4, as a user would, and waits until the process PID has
# ended. A key press can be lost while the window is still settling, so it is sent again
# every few seconds for as long as the window exists. Fails when the process outlives the
# limit.
foldmere_close_window() {
  local pid=$1 window=$2 deadline=$((SECONDS + $3)) next=0
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    if [ "$SECONDS" -ge "$next" ] && xdotool getwindowname "$window" >/dev/null 2>&1; then
      # Without a window manager there is no active window to ask for, but focus can be
      # set directly. The key release may find the window already gone: not an error.
      timeout 5 xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
      xdotool key --window "$window" alt+F4 >/dev/null 2>&1 || true
      next=$((SECONDS + 5))
    fi
    sleep 0.1
  done
}

# foldmere_show_folder WINDOW PATH [right]
# Types PATH into the left path box of the main window (the right one with "right") and
# presses Enter, as a user would. The client area (1429 x 863 at 96 dpi) lies at the
# bottom of the window, inside a frame of equal width on each side.
foldmere_show_folder() {
  local window=$1 path=$2 x=140 WIDTH HEIGHT frame
  [ "${3:-}" != right ] || x=900
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  frame=$(((WIDTH - $(foldmere_scaled 1429)) / 2))
  xdotool mousemove --window "$window" $((frame + $(foldmere_scaled "$x"))) \
    $((HEIGHT - frame - $(foldmere_scaled 863) + $(foldmere_scaled 43))) click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$path"
  xdotool key Return
}
