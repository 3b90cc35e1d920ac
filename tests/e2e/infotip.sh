#!/usr/bin/env bash
# Starts Foldmere.exe under Wine, checks that its caption comes from its own version
# resource, shows a folder of two files and rests the real pointer (xdotool) on the rows:
# each row's tip comes up with that row's text, and empty space below the rows shows none.
#   infotip.sh FOLDMERE.EXE WINE-RUN WINEPREFIX OUTPUT-DIR WINDRES
set -uo pipefail

exe=$1 wine_run=$2 prefix=$3 outdir=$4 windres=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/lib/window.sh
. "$here/../../scripts/lib/window.sh"

mkdir -p "$outdir"
log="$outdir/infotip.log"
rm -f "$log" "$outdir/infotip.png" "$outdir/infotip-failed.png"

if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$wine_run" --prefix "$prefix" --display) || exit 1
  export DISPLAY
fi

# The caption the version resource asks for, read from the file by windres, not by the
# program: product name, " v", file version, a blank and the copyright text.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$windres" -J coff -O rc -i "$exe" -o "$scratch/res.rc" || { echo "infotip: windres cannot read $exe" >&2; exit 1; }
# windres writes a text beyond ASCII as a wide string with escapes (L"\251 …"), whose
# numbers are UTF-16 code units; the value is printed as UTF-8.
value() {
  python3 - "$scratch/res.rc" "$1" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="latin-1").read()
m = re.search(r'^\s*VALUE "%s", L?"((?:[^"\\]|\\.)*)"' % re.escape(sys.argv[2]), text, re.M)
escapes = {"n": "\n", "t": "\t", "\\": "\\", '"': '"'}
def unescape(e):
    body = e.group(1)
    if body[0] in "01234567":
        return chr(int(body, 8))
    if body[0] == "x":
        return chr(int(body[1:], 16))
    return escapes.get(body, body)
if m:
    sys.stdout.buffer.write(re.sub(r"\\([0-7]{1,6}|x[0-9a-fA-F]+|.)", unescape, m.group(1)).encode("utf-8"))
PY
}
expected_caption="$(value ProductName) v$(value FileVersion) $(value LegalCopyright)"

# The folder the pointer visits, made in the prefix from the Linux side.
folder_name=foldmere-e2e-tips
folder="$prefix/drive_c/$folder_name"
rm -rf "$folder"
mkdir -p "$folder"
printf 'hello' >"$folder/alpha.txt"
printf 'hello, world' >"$folder/beta.txt"

"$wine_run" --prefix "$prefix" --timeout 240 "$exe" >"$log" 2>&1 &
pid=$!

fail() {
  echo "e2e_infotip: $*" >&2
  import -window root "$outdir/infotip-failed.png" 2>/dev/null &&
    echo "screen at the failure: $outdir/infotip-failed.png" >&2
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$folder"
  exit 1
}

window=$(foldmere_wait_window "$pid" '^Foldmere x64' 180) || fail "no main window appeared"
caption=$(xdotool getwindowname "$window")
[ "$caption" = "$expected_caption" ] ||
  fail "caption is '$caption', the version resource asks for '$expected_caption'"

# The id of the visible window whose name matches PATTERN, polled up to SECONDS.
wait_named() {
  local pattern=$1 deadline=$((SECONDS + $2)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

foldmere_show_folder "$window" "C:\\$folder_name"
wait_named '^Foldmere x64' 5 >/dev/null
# The list lies below the drive and path bands (61 pixels of the client area) and its
# header; rows are some 17 pixels high.
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
frame=$(((WIDTH - 1429) / 2))
list_top=$((HEIGHT - frame - 863 + 61))
row_y() { echo $((list_top + 27 + 17 * $1)); }

# The tip window carries its text as its name. Each row is visited until its tip shows:
# the folder may still be loading when the pointer first arrives.
tip_for() {
  local row=$1 name=$2 deadline=$((SECONDS + 30)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    xdotool mousemove --window "$window" 120 "$(row_y "$row")"
    xdotool mousemove_relative 1 0
    if id=$(wait_named "Location: C:.$folder_name.$name" 3); then
      xdotool getwindowname "$id"
      return 0
    fi
  done
  return 1
}

tip=$(tip_for 0 'alpha\.txt') || fail "resting on the first row showed no tip for alpha.txt"
grep -q '^Type: ' <<<"$tip" || fail "the tip of alpha.txt has no type line: $tip"
grep -q '^Size: 5 B' <<<"$tip" || fail "the tip of alpha.txt has no size line 'Size: 5 B': $tip"
import -window root "$outdir/infotip.png" 2>/dev/null && echo "screenshot: $outdir/infotip.png"

tip=$(tip_for 1 'beta\.txt') || fail "moving to the second row showed no tip for beta.txt"
grep -q '^Size: 12 B' <<<"$tip" || fail "the tip of beta.txt has no size line 'Size: 12 B': $tip"
[ -z "$(xdotool search --onlyvisible --name 'alpha\.txt' 2>/dev/null)" ] ||
  fail "the tip of alpha.txt is still shown over the second row"

# Below the rows: the shown tip goes, and none comes up while the pointer rests there for
# well over the hint pause.
xdotool mousemove --window "$window" 120 "$(row_y 12)"
deadline=$((SECONDS + 10))
while [ -n "$(xdotool search --onlyvisible --name '^Location: ' 2>/dev/null)" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the tip stays over the empty space below the rows"
  sleep 0.2
done
quiet_until=$((SECONDS + 3))
while [ "$SECONDS" -lt "$quiet_until" ]; do
  [ -z "$(xdotool search --onlyvisible --name '^Location: ' 2>/dev/null)" ] ||
    fail "a tip came up over the empty space below the rows"
  sleep 0.2
done

foldmere_close_window "$pid" "$window" 30 || fail "still running 30 s after Alt+F4"
wait "$pid"
rc=$?
rm -rf "$folder"
[ "$rc" -eq 0 ] || fail "exit code $rc after Alt+F4, expected 0"
echo "e2e_infotip: caption '$caption'; tips of both rows shown under the pointer, none below them"
