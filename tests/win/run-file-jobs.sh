#!/usr/bin/env bash
# Runs the file-job tests of the Windows test program on folders made from the Linux side,
# then checks from this side what they wrote. Usage:
#   run-file-jobs.sh WINE-RUN PREFIX TEST-EXE
# D: is another folder of this file system; T: a tmpfs of 4 MiB (root only), which fills
# up. Two jobs are killed with SIGKILL in the middle of a file: an overwrite must leave the
# old target whole, a move across drives every source whose copy was not complete.
set -uo pipefail
wine_run="$1"
prefix="$2"
test_exe="$3"

"$wine_run" --prefix "$prefix" "$test_exe" --gtest_list_tests >/dev/null || exit 1

root="$prefix/drive_c/foldmere-jobs"
drive_d="$prefix/foldmere-jobs-d"
drive_t="$prefix/foldmere-jobs-t"
devices="$prefix/dosdevices"
failures=0
fail() { echo "run-file-jobs: $*" >&2; failures=$((failures + 1)); }
note() { echo "run-file-jobs: ${SECONDS}s: $*"; }

undo() {
  [ -d "$root" ] && chmod -R u+rwx "$root" 2>/dev/null
  rm -rf "$root" "$drive_d"
  if mountpoint -q "$drive_t" 2>/dev/null; then umount "$drive_t"; fi
  rmdir "$drive_t" 2>/dev/null
  rm -f "$devices/d:" "$devices/t:"
}
undo
trap undo EXIT

src="$root/src"
ref="$root/ref"
mkdir -p "$src/tree/sub/deeper" "$src/tree/empty-folder" "$src/disk" "$ref" "$root/out"
printf 'alpha' >"$src/tree/a.txt"
head -c 3145728 /dev/urandom >"$src/tree/sub/b.bin"
printf 'gamma' >"$src/tree/sub/deeper/c.txt"
printf 'hidden' >"$src/tree/sub/hidden.txt"
printf 'fixed' >"$src/tree/read-only.txt"
chmod 444 "$src/tree/read-only.txt"
printf 'top' >"$src/top.txt"
printf 'first' >"$src/first.txt"
head -c 314572800 /dev/urandom >"$src/big.bin"
head -c 6291456 /dev/urandom >"$src/disk/six.bin"
printf 'small' >"$src/disk/small.txt"
touch -d '2003-04-05 06:07:08' "$src/tree/a.txt" "$src/tree/sub/b.bin" "$src/top.txt"
touch -d '2004-05-06 07:08:09' "$src/tree/sub" "$src/tree/read-only.txt"

mkdir -p "$root/move-c/mf" "$root/move-d/folder"
printf 'moved within C:' >"$root/move-c/m.txt"
printf 'inside' >"$root/move-c/mf/x.txt"
printf 'to D:' >"$root/move-d/f.txt"
head -c 31457280 /dev/urandom >"$root/move-d/folder/g.bin"
printf 'h' >"$root/move-d/folder/h.txt"
touch -d '2005-06-07 08:09:10' "$root/move-d/folder/g.bin"
cp -a "$root/move-d" "$ref/move-d"

mkdir -p "$root/links" "$root/link-target"
printf 'inner' >"$root/link-target/inner.txt"
ln -s ../link-target "$root/links/folder-link"

mkdir -p "$drive_d"
printf 'marker' >"$drive_d/foldmere-jobs-d.txt"
ln -s ../foldmere-jobs-d "$devices/d:"
mkdir -p "$drive_t"
if mount -t tmpfs -o size=4m tmpfs "$drive_t" 2>/dev/null; then
  ln -s ../foldmere-jobs-t "$devices/t:"
else
  echo "run-file-jobs: mounting a tmpfs was refused; the disk-full test skips" >&2
fi

note "folders made"
WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
"$wine_run" --prefix "$prefix" "$test_exe" --gtest_filter='FileJobs*' || fail "the Windows tests failed"

note "Windows tests run"
# The bytes of every copy, compared from this side.
diff -r "$src/tree" "$root/out/copy-mixed/tree" >/dev/null || fail "copied tree differs"
cmp -s "$src/top.txt" "$root/out/copy-mixed/top.txt" || fail "copied top.txt differs"
cmp -s "$src/big.bin" "$root/out/pause/big.bin" || fail "the copy paused and resumed differs"
cmp -s "$src/big.bin" "$root/out/queue-1/big.bin" || fail "the first queued copy differs"
diff -r "$ref/move-d/folder" "$drive_d/moved/folder" >/dev/null || fail "folder moved to D: differs"
cmp -s "$ref/move-d/f.txt" "$drive_d/moved/f.txt" || fail "file moved to D: differs"

# A file of SIZE whose first MiB is random and the rest a hole: quick to make, slow to copy.
large_file() { head -c 1048576 /dev/urandom >"$1" && truncate -s "$2" "$1"; }
windows() { echo "C:\\foldmere-jobs\\$1" | sed 's|/|\\|g'; }

# Starts the victim mode with ARGS, waits until CONDITION (a shell command) holds while
# the job runs, then kills the Wine process with SIGKILL. That process is the child of the
# time limit that wine-run starts.
kill_midway() {
  local ready_file=$1 condition=$2 runner limit pid="" i
  shift 2
  rm -f "$ready_file"
  "$wine_run" --prefix "$prefix" "$test_exe" --file-job-victim "$@" >/dev/null 2>&1 &
  runner=$!
  for i in $(seq 3000); do
    [ -s "$ready_file" ] && break
    kill -0 "$runner" 2>/dev/null || break
    sleep 0.02
  done
  limit=$(pgrep -P "$runner" -x timeout)
  [ -z "$limit" ] || pid=$(pgrep -P "$limit" | head -n 1)
  if [ -s "$ready_file" ] && [ -n "$pid" ]; then
    for i in $(seq 100000); do
      eval "$condition" && break
      kill -0 "$pid" 2>/dev/null || break
    done
    kill -KILL "$pid" 2>/dev/null
  else
    pid=""
  fi
  wait "$runner" 2>/dev/null
  [ -n "$pid" ] || { fail "the job to be killed did not start"; return 1; }
}
size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

note "bytes compared"
# An overwrite killed midway: the old target is whole, the new content only in a part file.
over="$root/kill-over"
mkdir -p "$over/target"
large_file "$over/new.bin" 1G
head -c 52428800 /dev/urandom >"$over/target/new.bin"
cp "$over/target/new.bin" "$over/old-copy.bin"
part_grown() {
  local part
  for part in "$over"/target/*.part; do
    [ "$(size_of "$part")" -ge 67108864 ] && return 0
  done
  return 1
}
if kill_midway "$over/ready" part_grown copy "$(windows kill-over/ready)" "$(windows kill-over/target)" \
  "$(windows kill-over/new.bin)"; then
  cmp -s "$over/old-copy.bin" "$over/target/new.bin" ||
    fail "an overwrite killed midway did not leave the old target whole"
  ls "$over/target" | grep -q '\.part$' || fail "the overwrite was not killed in the middle of its file"
fi
rm -rf "$over"
note "overwrite killed"

# A move to D: killed midway: each source is whole, or gone with its copy whole.
move="$root/kill-move"
mkdir -p "$move/from" "$drive_d/kill-move"
for i in 1 2 3 4 5; do large_file "$move/from/f$i.bin" 200M; done
cp -a --sparse=always "$move/from" "$move/ref"
third_started() { [ "$(size_of "$drive_d/kill-move/f3.bin")" -gt 0 ]; }
if kill_midway "$move/ready" third_started move "$(windows kill-move/ready)" 'D:\kill-move' \
  $(for i in 1 2 3 4 5; do windows "kill-move/from/f$i.bin"; done); then
  gone=0 kept=0
  for i in 1 2 3 4 5; do
    if [ -e "$move/from/f$i.bin" ]; then
      cmp -s "$move/ref/f$i.bin" "$move/from/f$i.bin" || fail "source f$i.bin of a killed move is not whole"
      kept=$((kept + 1))
    else
      cmp -s "$move/ref/f$i.bin" "$drive_d/kill-move/f$i.bin" ||
        fail "source f$i.bin of a killed move was deleted before its copy was whole"
      gone=$((gone + 1))
    fi
  done
  [ "$gone" -ge 1 ] && [ "$kept" -ge 1 ] || fail "the move was not killed midway ($gone moved, $kept kept)"
fi
note "move killed"
WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true

if [ "$failures" -gt 0 ]; then
  echo "run-file-jobs: $failures check(s) failed" >&2
  exit 1
fi
echo "run-file-jobs: every check passed"
