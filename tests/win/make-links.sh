#!/usr/bin/env bash
# Symbolic links for the Windows tests, made from the Linux side: Wine's
# CreateSymbolicLinkW makes nothing. Usage: make-links.sh WINE-RUN PREFIX TEST-EXE
set -euo pipefail
wine_run="$1"
prefix="$2"
test_exe="$3"
# The first run of a program creates the prefix.
"$wine_run" --prefix "$prefix" "$test_exe" --gtest_list_tests >/dev/null
root="$prefix/drive_c/foldmere-links"
rm -rf "$root"
mkdir -p "$root/sub"
printf 'target' >"$root/target.txt"
printf 'inside' >"$root/sub/inner.txt"
ln -s target.txt "$root/link-to-file"
ln -s sub "$root/link-to-folder"
ln -s missing.txt "$root/dangling-link"

# One item of every kind the folder read and the details tell apart, for comparing their
# shortcuts with the longer way round. Links, a named pipe and sparse files of 4 GiB and
# more can only be made from this side.
kinds="$prefix/drive_c/foldmere-kinds"
rm -rf "$kinds"
mkdir -p "$kinds/Folder" "$kinds/real-parent/Inner Folder" "$kinds/sizes"
printf 'plain' >"$kinds/Plain.TXT"
printf 'mixed' >"$kinds/mixed.Case.Doc"
printf 'none' >"$kinds/no-extension"
printf 'inner' >"$kinds/real-parent/Inner.txt"
cp "$test_exe" "$kinds/with-icon.exe"
cp "$(dirname "$(readlink -f "$0")")/../../resources/Foldmere.ico" "$kinds/picture.ico"
ln -s Plain.TXT "$kinds/file-link"
ln -s Folder "$kinds/folder-link"
ln -s missing.txt "$kinds/dangling-link"
ln -s real-parent "$kinds/linked-parent"
mkfifo "$kinds/named-pipe"
# A folder of 258 characters, the longest the shell parses, with items past 264 characters
# (from there on Wine gives no final path) and past 512.
long="$kinds/long/$(printf 'd%.0s' $(seq 235))"
mkdir -p "$long/$(printf 'f%.0s' $(seq 100))"
printf 'long' >"$long/$(printf 'm%.0s' $(seq 20)).txt"
printf 'longer' >"$long/$(printf 'n%.0s' $(seq 251)).txt"
ln -s "$(printf 'f%.0s' $(seq 100))" "$long/link-to-folder"
truncate -s 5G "$kinds/sizes/five.bin"
truncate -s 4294967295 "$kinds/sizes/below-four.bin"
truncate -s 4294967296 "$kinds/sizes/four.bin"

# Siblings whose names differ by a trailing dot ("report.txt." beside "report.txt", as
# Samba, WSL and archives make them): Windows calls strip the dot and cannot make one.
# Every test that works on them has its own folder.
siblings="$prefix/drive_c/foldmere-siblings"
rm -rf "$siblings"
for use in menu enter tip; do
  mkdir -p "$siblings/$use"
  printf 'dotted' >"$siblings/$use/report.txt."
done
printf 'plain' >"$siblings/menu/report.txt"
printf 'plain' >"$siblings/enter/report.txt"
# The one with a version resource, so that the two tips tell them apart.
cp "$test_exe" "$siblings/tip/report.txt"
