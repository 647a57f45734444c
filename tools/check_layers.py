#!/usr/bin/env python3
"""Dependencies between the source folders point one way. Each folder below may include its own
files and those of the folders it builds on (and what they build on in turn); an include of a
folder above is an error, named with its file and line.

Test code (*_test.cpp, *_fuzz.cpp and testing/ folders) may also use the test support of platform/testing
and the testing/ folders of the layers it may include; no other code may.

    python3 tools/check_layers.py <source-root>"""
import os
import re
import sys

# folder: the folders it builds on directly
LAYERS = {
    "platform/rtl": [],
    "platform/graphics": ["platform/rtl"],
    "platform/win": ["platform/rtl"],
    "platform/ui": ["platform/graphics", "platform/win"],
    "platform/db": ["platform/rtl"],
    "platform/xml": ["platform/win"],
    "platform/flash": ["platform/ui"],
    "platform/chart": ["platform/ui"],
    "platform/web": ["platform/ui", "platform/win"],
    "memdata": ["platform/db"],
    "controls": ["platform/ui", "platform/flash", "platform/chart"],
    "htmlview": ["platform/web", "platform/xml", "platform/flash"],
    "tutor": ["controls", "htmlview", "memdata", "platform/flash", "platform/web", "platform/chart"],
    "words": ["controls", "memdata", "platform/flash"],
}
TEST_SUPPORT = "platform/testing"
SOURCE = re.compile(r".*\.(h|hpp|c|cpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def reachable(folder):
    seen, todo = set(), [folder]
    while todo:
        f = todo.pop()
        if f not in seen:
            seen.add(f)
            todo.extend(LAYERS[f])
    return seen


def folder_of(rel):
    """The layer a file belongs to: the longest folder of the table that holds it."""
    best = None
    for f in LAYERS:
        if (rel + "/").startswith(f + "/") and (best is None or len(f) > len(best)):
            best = f
    if best is None and (rel + "/").startswith(TEST_SUPPORT + "/"):
        return TEST_SUPPORT
    return best


def is_test_code(rel):
    return rel.endswith("_test.cpp") or rel.endswith("_fuzz.cpp") or "/testing/" in rel


def check(root):
    errors = []
    for dirpath, dirnames, filenames in os.walk(root):
        dirnames[:] = [d for d in dirnames if not d.startswith(".") and d != "build"]
        for name in sorted(filenames):
            if not SOURCE.match(name):
                continue
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, root).replace(os.sep, "/")
            own = folder_of(rel)
            if own is None:
                continue
            if own == TEST_SUPPORT:
                allowed = {f for f in LAYERS if f.startswith("platform/")}
            else:
                allowed = reachable(own)
            test_code = is_test_code(rel) or own == TEST_SUPPORT
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = m.group(1)
                    beside = os.path.normpath(os.path.join(os.path.dirname(rel), target)).replace(os.sep, "/")
                    if os.path.exists(os.path.join(root, beside)):
                        target = beside
                    layer = folder_of(target)
                    if layer is None:
                        continue
                    if "/testing/" in "/" + target and not test_code:
                        errors.append(f"{rel}:{number}: test support {target} outside test code")
                    elif layer == TEST_SUPPORT:
                        if not test_code:
                            errors.append(f"{rel}:{number}: test support {target} outside test code")
                    elif layer not in allowed:
                        errors.append(f"{rel}:{number}: {own} may not include {target} ({layer} is not below it)")
    return errors


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    errors = check(root)
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
