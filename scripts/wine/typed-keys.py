#!/usr/bin/env python3
"""The keys of the US keyboard that type a text of the tree on the Arabic layout (tools/course),
every EVERY-th character (0: none) replaced by a wrong key, for xdotool to type:

    python3 scripts/wine/typed-keys.py TEXT-FILE EVERY"""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "course"))
from keyboard import key_of  # noqa: E402

SHIFTED_SIGNS = {"`": "~", "1": "!", "5": "%", "=": "+", ";": ":", "'": '"', ".": ">", "/": "?"}

text = open(sys.argv[1], encoding="cp1256").read()
every = int(sys.argv[2])
out, n = [], 0
for line in text.splitlines():
    for ch in line.rstrip():
        n += 1
        if every and n % every == 0:
            out.append("`" if ch != "ذ" else "1")
            continue
        if ch == " ":
            out.append(" ")
            continue
        try:
            key, shifted, _, _ = key_of(ch)
        except KeyError:
            out.append(" ")
            continue
        if key.isalpha():
            out.append(key.upper() if shifted else key.lower())
        else:
            out.append(SHIFTED_SIGNS[key] if shifted else key)
print("".join(out), end="")
