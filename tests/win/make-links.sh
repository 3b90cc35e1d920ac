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
