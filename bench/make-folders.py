#!/usr/bin/env python3
"""Makes the benchmark's folders inside a Wine prefix's C: drive, from the Linux side.

    make-folders.py DRIVE_C [--quick]

Each folder is made once, in a scratch folder that is renamed into place when it is
complete, and reused while its ".ready" file says it holds what it should. Names mix
letter case, and their creation order is not their sort order, so that the folder's own
sort has real work to do whatever order the file system lists them in.
"""
import os
import random
import shutil
import sys

WORDS = ["alpha", "Beta", "GAMMA", "delta", "Echo", "foxtrot", "Golf", "hotel", "INDIA", "juliet",
         "Kilo", "lima", "Mike", "november", "Oscar", "papa", "QUEBEC", "romeo", "Sierra", "tango"]
EXTENSIONS = [".txt", ".doc", ".exe", ".dll", ".jpg", ".ini", ".log", ".zip"]

# name: (files, folders, extensions)
FOLDERS = {
    "small": (10, 0, [".txt"]),
    "files-1000": (1000, 0, [".txt"]),
    "files-10000": (10000, 0, [".txt"]),
    "mixed-10000": (8000, 2000, EXTENSIONS),
    "files-100000": (100000, 0, [".txt"]),
}
QUICK_LIMIT = 10000


def names(count, extensions, seed):
    rng = random.Random(seed)
    order = list(range(count))
    rng.shuffle(order)
    for i in order:
        yield f"{rng.choice(WORDS)} {i:06d}{rng.choice(extensions)}", i


def make(root, name, files, folders, extensions):
    ready = os.path.join(root, name + ".ready")
    target = os.path.join(root, name)
    want = f"{files} files, {folders} folders\n"
    if os.path.isfile(ready) and os.path.isdir(target):
        with open(ready) as f:
            if f.read() == want and len(os.listdir(target)) == files + folders:
                return False
    scratch = os.path.join(root, "." + name + ".partial")
    shutil.rmtree(scratch, ignore_errors=True)
    shutil.rmtree(target, ignore_errors=True)
    os.makedirs(scratch)
    for folder, _ in names(folders, [""], seed=name + "/folders"):
        os.mkdir(os.path.join(scratch, "Folder " + folder))
    for file, i in names(files, extensions, seed=name + "/files"):
        with open(os.path.join(scratch, file), "wb") as f:
            f.write(b"x" * (i % 97))
    os.rename(scratch, target)
    with open(ready, "w") as f:
        f.write(want)
    return True


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: make-folders.py DRIVE_C [--quick]")
    root = os.path.join(sys.argv[1], "foldmere-bench")
    quick = "--quick" in sys.argv[2:]
    os.makedirs(root, exist_ok=True)
    for name, (files, folders, extensions) in FOLDERS.items():
        if quick and files + folders > QUICK_LIMIT:
            continue
        if make(root, name, files, folders, extensions):
            print(f"made C:\\foldmere-bench\\{name}: {files} files, {folders} folders", flush=True)


if __name__ == "__main__":
    main()
