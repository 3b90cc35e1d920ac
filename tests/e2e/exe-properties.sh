#!/usr/bin/env bash
# Checks the built Foldmere.exe as a file: a 64-bit GUI program, self-contained (the C++
# runtime linked in), Unicode calls only, with its icon, manifest and version resource.
#   exe-properties.sh FOLDMERE.EXE [OBJDUMP] [WINDRES]
set -uo pipefail

exe=$1
objdump=${2:-x86_64-w64-mingw32-objdump}
windres=${3:-x86_64-w64-mingw32-windres}

failures=0
fail() {
  echo "exe_properties: $*" >&2
  failures=$((failures + 1))
}

[ -f "$exe" ] || { echo "exe_properties: no file $exe" >&2; exit 1; }
headers=$("$objdump" -p "$exe") || { echo "exe_properties: $objdump cannot read $exe" >&2; exit 1; }
file_header=$("$objdump" -f "$exe") || exit 1

grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a PE file for x86-64"
grep -q '^architecture: i386:x86-64' <<<"$file_header" || fail "machine is not x86-64"
grep -Eq '^Magic[[:space:]]+020b' <<<"$headers" || fail "optional header magic is not 020b (PE32+)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "subsystem is not 2 (Windows GUI)"

# Imports as "DLL function" lines.
imports=$(awk '
  /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
  /^[[:space:]]*$/ { dll = "" }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF >= 3 { print dll, $3 }
' <<<"$headers")
[ -n "$imports" ] || fail "no imports found (objdump output not understood)"
dlls=$(awk '{ print $1 }' <<<"$imports" | sort -u)

# The C++ runtime and threads are linked in, so nothing of the compiler's is needed beside
# the executable; everything imported is a part of Windows.
platform='^(kernel32|user32|gdi32|comctl32|shell32|ole32|oleaut32|advapi32|shlwapi|version|uxtheme|msvcrt)\.dll$'
for dll in $dlls; do
  case "$dll" in
    libstdc++* | libgcc* | libwinpthread*) fail "imports the compiler's runtime DLL $dll" ;;
    *) grep -Eq "$platform" <<<"$dll" || fail "imports $dll, which is not a part of Windows the program uses" ;;
  esac
done

# Unicode calls only. The statically linked winpthreads makes unnamed events and
# semaphores and writes debug output through the ANSI entries; no text of ours passes.
runtime_ansi='^(CreateEventA|CreateSemaphoreA|OutputDebugStringA)$'
ansi=$(awk -v allowed="$runtime_ansi" '$2 ~ /[A-Za-z0-9]A$/ && $2 !~ allowed { print $2 " (" $1 ")" }' <<<"$imports")
if [ -n "$ansi" ]; then
  fail "ANSI imports where a W twin exists:"
  echo "$ansi" | sed 's/^/  /' >&2
fi

# Resources, read back as a resource script.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$windres" -J coff -O rc -i "$exe" -o "$scratch/resources.rc" 2>"$scratch/windres.log"; then
  fail "$windres cannot read the resources: $(cat "$scratch/windres.log")"
else
  rc="$scratch/resources.rc"
  grep -Eq '^[0-9]+ 14 /\* RT_GROUP_ICON \*/' "$rc" && grep -Eq '^[0-9]+ 3 /\* RT_ICON \*/' "$rc" ||
    fail "no icon"
  # The manifest the loader reads: resource 1 of type 24.
  manifest=$(awk '/^1 24 \/\* RT_MANIFEST \*\//, /^END/' "$rc")
  [ -n "$manifest" ] || fail "no application manifest (RT_MANIFEST 1)"
  grep -q 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' <<<"$manifest" ||
    fail "the manifest does not ask for common controls 6"
  # Aware of each monitor's DPI, so that Windows never stretches the windows as bitmaps.
  grep -q '>true/pm</dpiAware>' <<<"$manifest" || fail "the manifest does not declare per-monitor DPI awareness"
  grep -q '>PerMonitorV2, PerMonitor</dpiAwareness>' <<<"$manifest" ||
    fail "the manifest does not ask for per-monitor DPI awareness (version 2, then 1)"
  # Every size a window asks for at 96, 120, 144 and 192 dpi is in the icon, none stretched.
  icons=$(grep -Ec '^[0-9]+ 3 /\* RT_ICON \*/' "$rc")
  [ "$icons" -ge 11 ] || fail "the icon holds $icons sizes, not the 11 of 96 to 192 dpi"
  version=$(awk '/^1 VERSIONINFO/, /^END/' "$rc")
  [ -n "$version" ] || fail "no version resource"
  grep -q 'VALUE "ProductName", "Foldmere x64"' <<<"$version" || fail "version resource without ProductName 'Foldmere x64'"
  grep -q "VALUE \"OriginalFilename\", \"$(basename "$exe")\"" <<<"$version" ||
    fail "version resource without OriginalFilename '$(basename "$exe")'"
fi

if [ "$failures" -gt 0 ]; then
  echo "exe_properties: $failures check(s) failed for $exe" >&2
  exit 1
fi
echo "exe_properties: $exe is a self-contained x86-64 GUI program with Unicode imports ($(wc -w <<<"$dlls") DLLs), icon, manifest and version"
