#!/usr/bin/env python3
"""Draws the keyboards of the results screen's proficiency map, and places their key labels:

    data/embedded/results/KeysAr.jpg, KeysAr2.jpg   the Arabic (101) keyboard, without and with Shift
    data/embedded/results/KeysEn.jpg, KeysEn2.jpg   the US keyboard, without and with Shift
    data/embedded/results/KeyLabels.txt             where each key's label and each Shift button lies

    python3 tools/make_keyboards.py [data-folder] [--labels-only]

The keys come from the course's own layout table (tools/course/keyboard.py). A picture shows
the key caps only; the characters stand on labels that the screen colours, one per key, over the
caps. The Arabic pictures carry each key's US engraving in the corner, as Arabic keyboards do.

KeyLabels.txt is code page 1256 text with CR LF ends; after its header, each line is
panel TAB kind TAB caption TAB left TAB top TAB width TAB height, in pixels of the picture;
kind is "key" (caption: the characters the key types on that panel) or "ShiftL"/"ShiftR" (the
two Shift keys, which the screen covers with its Shift buttons; no caption). The results are
committed; a build needs no ImageMagick."""
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course.keyboard import LAYOUT_ROWS  # noqa: E402

UNIT = 34                  # pixels of one key width
ROW = 46                   # pixels of one row
MARGIN = 6
WIDTH = MARGIN * 2 + 15 * UNIT
HEIGHT = MARGIN * 2 + 5 * ROW
LABEL_TOP = 13             # below the corner engraving
LABEL_HEIGHT = 28          # a 24-pixel line

BACKGROUND = "#0F3D63"
CAP = "#D9C672"            # the labels' own background ($72C6D9), so that a label is the key's face
NAMED_CAP = "#B9A554"
PRESSED_CAP = "#FFD84A"
EDGE = "#0A2A44"
INK = "#0F3D63"
CORNER_INK = "#5A4A10"

HEADER = "panel\tkind\tcaption\tleft\ttop\twidth\theight"

# Units of the keys around the character keys, as a 101-key board has them.
ROW_START = {0: 0, 1: 1.5, 2: 1.75, 3: 2.25}
KEY_UNITS = {(1, 12): 1.5}                   # the backslash key
ROW_END = {0: ("Backspace", 2), 1: None, 2: ("Enter", 2.25), 3: ("ShiftR", 2.75)}
ROW_FIRST = {1: ("Tab", 1.5), 2: ("Caps", 1.75), 3: ("ShiftL", 2.25)}
BOTTOM_ROW = [("Ctrl", 2), ("Alt", 2), ("Space", 7), ("Alt", 2), ("Ctrl", 2)]
SYMBOLS = {"Backspace": "\u27F5", "Tab": "\u21E5", "Caps": "\u21EA", "Enter": "\u21B5", "Ctrl": "Ctrl", "Alt": "Alt"}

# panel -> (picture, the column of LAYOUT_ROWS it shows, whether Shift is held, US engraving in the corner)
PANELS = [
    ("KeysPanelAr", "KeysAr.jpg", 2, False, True),
    ("KeysPanelAr2", "KeysAr2.jpg", 3, True, True),
    ("KeysPanelEn", "KeysEn.jpg", 0, False, False),
    ("KeysPanelEn2", "KeysEn2.jpg", 1, True, False),
]


def key_box(row, start_units, units):
    """The face of a key: left, top, width, height."""
    left = MARGIN + round(start_units * UNIT) + 2
    right = MARGIN + round((start_units + units) * UNIT) - 2
    return left, MARGIN + row * ROW + 2, right - left, ROW - 4


def layout():
    """Every key of the board: (kind, row, column or name, box); kind is "char" or "named"."""
    keys = []
    for r, row in enumerate(LAYOUT_ROWS):
        x = 0
        if r in ROW_FIRST:
            name, units = ROW_FIRST[r]
            keys.append(("named", r, name, key_box(r, x, units)))
            x += units
        for c in range(len(row)):
            units = KEY_UNITS.get((r, c), 1)
            keys.append(("char", r, c, key_box(r, x, units)))
            x += units
        if ROW_END[r]:
            name, units = ROW_END[r]
            keys.append(("named", r, name, key_box(r, x, units)))
    x = 0
    for name, units in BOTTOM_ROW:
        keys.append(("named", 4, name, key_box(4, x, units)))
        x += units
    return keys


def label_lines():
    lines = [HEADER]
    for panel, _, column, _, _ in PANELS:
        for kind, r, what, (left, top, width, height) in layout():
            if kind == "char":
                caption = LAYOUT_ROWS[r][what][column]
                lines.append(f"{panel}\tkey\t{caption}\t{left + 1}\t{top + LABEL_TOP - 2}\t{width - 2}\t{LABEL_HEIGHT}")
            elif what in ("ShiftL", "ShiftR"):
                lines.append(f"{panel}\t{what}\t\t{left}\t{top}\t{width}\t{height}")
    return lines


def write_labels(folder):
    with open(os.path.join(folder, "KeyLabels.txt"), "wb") as f:
        f.write("".join(line + "\r\n" for line in label_lines()).encode("cp1256"))


def draw_picture(path, shifted, corner, work):
    args = ["-size", f"{WIDTH}x{HEIGHT}", f"xc:{BACKGROUND}", "-font", "DejaVu-Sans"]
    for kind, r, what, (left, top, width, height) in layout():
        held = shifted and what in ("ShiftL", "ShiftR")
        fill = PRESSED_CAP if held else CAP if kind == "char" else NAMED_CAP
        args += ["-fill", EDGE, "-draw", f"roundrectangle {left + 1},{top + 2} {left + width},{top + height + 1} 5,5",
                 "-fill", fill, "-draw", f"roundrectangle {left},{top} {left + width - 1},{top + height - 1} 5,5"]
        if kind == "char" and corner:
            us = LAYOUT_ROWS[r][what][0]
            if us.upper() != LAYOUT_ROWS[r][what][2]:
                args += ["-fill", CORNER_INK, "-font", "DejaVu-Sans-Bold", "-pointsize", "11", "-gravity", "northwest",
                         "-annotate", f"+{left + 3}+{top}", us.upper()]
        elif kind == "named" and what in SYMBOLS:
            symbol = SYMBOLS[what]
            size = 20 if len(symbol) == 1 else 13
            args += ["-fill", INK, "-font", "DejaVu-Sans", "-pointsize", str(size), "-gravity", "northwest",
                     "-annotate", f"+{left + 6}+{top + (height - size) // 2 - 2}", symbol]
    png = os.path.join(work, os.path.basename(path) + ".png")
    subprocess.run(["convert", *args, png], check=True)
    # no dates or other metadata, so that a rerun changes nothing
    subprocess.run(["convert", png, "-strip", "-quality", "92", path], check=True)


def main(argv):
    labels_only = "--labels-only" in argv
    argv = [a for a in argv if a != "--labels-only"]
    data = argv[0] if argv else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    folder = os.path.join(data, "embedded", "results")
    os.makedirs(folder, exist_ok=True)
    write_labels(folder)
    if labels_only:
        return
    with tempfile.TemporaryDirectory() as work:
        for _, picture, _, shifted, corner in PANELS:
            draw_picture(os.path.join(folder, picture), shifted, corner, work)


if __name__ == "__main__":
    main(sys.argv[1:])
