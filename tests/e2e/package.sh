#!/usr/bin/env bash
# Checks the package as a Windows user meets it: the zip matches its checksum and holds
# Foldmere.exe, README.md and LICENSE; the executable is stripped, points to its symbols
# and imports parts of Windows only; unpacked into an empty folder it starts, shows its
# window, closes with exit code 0 and leaves the folder as it found it.
#   package.sh ZIP WINE-RUN WINEPREFIX OUTPUT-DIR [OBJDUMP] [WINDRES]
set -uo pipefail

zip=$1 wine_run=$2 prefix=$3 outdir=$4
objdump=${5:-x86_64-w64-mingw32-objdump}
windres=${6:-x86_64-w64-mingw32-windres}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
  echo "package: $*" >&2
  exit 1
}

[ -f "$zip" ] || fail "no file $zip"
(cd "$(dirname "$zip")" && sha256sum --check --quiet "$(basename "$zip").sha256") ||
  fail "$(basename "$zip") does not match its .sha256"

folder="$outdir/unpacked"
rm -rf "$folder"
mkdir -p "$folder"
python3 -m zipfile -e "$zip" "$folder" || fail "cannot unpack $zip"
listing() { (cd "$folder" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | paste -sd ' '); }
expected="Foldmere.exe LICENSE README.md"
[ "$(listing)" = "$expected" ] || fail "the zip holds '$(listing)', expected '$expected'"

exe="$folder/Foldmere.exe"
sections=$("$objdump" -h "$exe") || fail "$objdump cannot read $exe"
! grep -q ' \.debug_' <<<"$sections" || fail "Foldmere.exe still carries debug sections"
grep -q ' \.gnu_debuglink ' <<<"$sections" || fail "Foldmere.exe has no link to its symbol file"
bash "$here/exe-properties.sh" "$exe" "$objdump" "$windres" || fail "the packed executable is not as it should be"

bash "$here/smoke.sh" "$exe" "$wine_run" "$prefix" "$outdir" "Foldmere x64" ||
  fail "the packed executable did not start and close cleanly"
# Nothing installed, nothing written beside the program.
[ "$(listing)" = "$expected" ] || fail "after the run the folder holds '$(listing)'"
echo "package: $(basename "$zip") unpacks, starts from its own folder and closes cleanly"
