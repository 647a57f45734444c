#!/usr/bin/env python3
"""Exit 0 when two .chm files list the same files with the same content.

chmcmd writes the compile time into #SYSTEM and leaves the first word of
$WWKeywordLinks/Map uninitialised; both are ignored, everything else must match.
"""
import os
import subprocess
import sys
import tempfile


def listing(chm):
    run = subprocess.run(["chmls", "-p", "-n", "list", chm], check=True,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return run.stdout


def extract(chm, into):
    subprocess.run(["chmls", "extractall", chm, into], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    files = {}
    for folder, _, names in os.walk(into):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, into)] = f.read()
    return files


def without_timestamp(system):
    # #SYSTEM: a DWORD version, then entries of WORD code, WORD length, data; code 10 is the time.
    out = bytearray(system)
    pos = 4
    while pos + 4 <= len(out):
        code = int.from_bytes(out[pos:pos + 2], "little")
        length = int.from_bytes(out[pos + 2:pos + 4], "little")
        if code == 10:
            out[pos + 4:pos + 4 + length] = bytes(length)
        pos += 4 + length
    return bytes(out)


def normalised(files):
    if "#SYSTEM" in files:
        files["#SYSTEM"] = without_timestamp(files["#SYSTEM"])
    key = os.path.join("$WWKeywordLinks", "Map")
    if key in files:
        files[key] = files[key][2:]
    return files


def main(argv):
    if len(argv) != 3:
        print("usage: chm_equal.py A.chm B.chm", file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        try:
            if listing(argv[1]) != listing(argv[2]):
                return 1
            left = normalised(extract(argv[1], a))
            right = normalised(extract(argv[2], b))
        except (OSError, subprocess.CalledProcessError):
            return 1
    return 0 if left == right else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
