#!/usr/bin/env bash
# Runs the fault tests of the Windows test program on folders made from the Linux side:
# folders the user may not read, named pipes, names Windows cannot make, and drive
# letters whose targets are missing or denied. Usage:
#   run-faults.sh WINE-RUN PREFIX TEST-EXE [TEST-ARGS...]
#
# The tests run as root on the build machines, and root reads everything. They are run
# without the capabilities that let root pass over permission bits (setpriv drops them
# from the bounding set), so a folder of mode 000 denies the program and Wine's server
# alike, as it would deny an ordinary user. The prefix's server is stopped before and
# after, so that the tests get a server without those capabilities and the tests after
# them one with.
set -uo pipefail
wine_run="$1"
prefix="$2"
test_exe="$3"
shift 3

stop_server() { WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true; }

# The first run of a program creates the prefix.
"$wine_run" --prefix "$prefix" "$test_exe" --gtest_list_tests >/dev/null || exit 1

root="$prefix/drive_c/foldmere-faults"
devices="$prefix/dosdevices"
undo() {
  [ -d "$root" ] && chmod -R u+rwx "$root" 2>/dev/null
  rm -rf "$root"
  rm -f "$devices/w:" "$devices/x:" "$devices/y:"
}
undo
watcher=""
trap '[ -z "$watcher" ] || kill "$watcher" 2>/dev/null; undo; stop_server' EXIT

mkdir -p "$root"
cd "$root" || exit 1

# Not to be read at all, and to be passed through only.
mkdir -p denied traverse-only/inner
printf 'x' >denied/file.txt
printf 'x' >traverse-only/inner/a.txt
chmod 000 denied
chmod 111 traverse-only

# Names can be listed, but the items cannot be opened.
mkdir -p names-only/sub
printf 'a' >names-only/a.txt
printf 'b' >names-only/b.txt
chmod 444 names-only
mkdir -p items-locked/locked-folder
printf 'x' >items-locked/locked.txt
printf 'x' >items-locked/open.txt
chmod 000 items-locked/locked.txt items-locked/locked-folder

# Named pipes, which Wine lists as files whose final path is neither a file nor a folder.
mkdir -p pipes one-pipe
for i in 1 2 3 4 5; do mkfifo "pipes/pipe-$i"; done
printf 'x' >pipes/plain.txt
mkfifo one-pipe/pipe
printf 'x' >one-pipe/plain.txt

# Names from outside the keyboard: beyond the BMP, right-to-left marks, trailing dots and
# blanks, 255 units, and bytes that are not UTF-8.
mkdir -p names
printf 'x' >"names/$(printf 'smile-\xf0\x9f\x98\x80.txt')"
printf 'x' >"names/$(printf 'rtl-\xe2\x80\x8fabc\xe2\x80\x8e.txt')"
printf 'x' >"names/dots..."
printf 'x' >"names/blank "
printf 'x' >"names/$(printf 'L%.0s' $(seq 1 251)).txt"
printf 'x' >"names/$(printf 'bad-\xff\xfe.txt')"

# Folders of the same names, each with a file, to be entered.
mkdir -p odd-folders
for name in "$(printf 'smile-\xf0\x9f\x98\x80')" "$(printf 'rtl-\xe2\x80\x8fabc\xe2\x80\x8e')" \
  "dots..." "blank " "$(printf 'F%.0s' $(seq 1 255))" "$(printf 'bad-\xff\xfe')"; do
  mkdir -p "odd-folders/$name"
  printf 'x' >"odd-folders/$name/inside.txt"
done

# Folders the tests deny while the program shows them or a drive line for them: a test
# asks by making requests\NAME.deny (or .allow) and waits until the file is gone.
mkdir -p requests back-road/inner drive-w
printf 'x' >back-road/inner/a.txt
printf 'x' >drive-w/a.txt
answer_requests() {
  local request name
  while :; do
    for request in requests/*.deny requests/*.allow; do
      [ -e "$request" ] || continue
      name=$(basename "${request%.*}")
      case "$request" in
        *.deny) chmod 000 "$name" ;;
        *) chmod 755 "$name" ;;
      esac
      rm -f "$request"
    done
    sleep 0.05
  done
}
answer_requests &
watcher=$!

# A drive whose target is missing, one whose target may not be read, and one that the
# tests deny once the drive box has listed it.
ln -s ../drive_c/foldmere-faults/drive-w "$devices/w:"
ln -s ../drive_c/foldmere-faults/missing-target "$devices/x:"
ln -s ../drive_c/foldmere-faults/denied "$devices/y:"

stop_server
if [ "$(id -u)" = 0 ]; then
  setpriv --inh-caps=-all --bounding-set=-dac_override,-dac_read_search -- \
    "$wine_run" --prefix "$prefix" "$test_exe" "$@"
else
  "$wine_run" --prefix "$prefix" "$test_exe" "$@"
fi
