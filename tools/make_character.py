#!/usr/bin/env python3
"""Draws the assistant character, Zarek, a friendly key of the keyboard, with ImageMagick: its
frames side by side in one 32-bit picture with alpha, and the settings file that names its
animations.

    python3 tools/make_character.py [data-folder]

Writes Agent/Character/Zarek.bmp and Zarek.ini. The results are committed; a build needs no
ImageMagick."""
import os
import subprocess
import sys
import tempfile

SIZE = 128
FRAME_TIME = 110
NAVY = "#0F3D63"
SKY = "#31ADDD"
SKY_LIGHT = "#8AD6F3"
SKY_DARK = "#1F7FA8"
GLOVE = "#FFFFFF"
CHEEK = "#F5A3B5"

# Each frame: eyes ("open", "shut", "left", "right"), mouth ("smile", "small", "open", "grin"),
# and where each hand is (the arm runs from the shoulder to it).
SHOULDER_L, SHOULDER_R = (30, 72), (98, 72)
DOWN_L, DOWN_R = (15, 96), (113, 96)
FRAMES = [
    dict(eyes="open", mouth="smile", left=DOWN_L, right=DOWN_R),      # 0 idle
    dict(eyes="shut", mouth="smile", left=DOWN_L, right=DOWN_R),      # 1 blink
    dict(eyes="open", mouth="small", left=DOWN_L, right=DOWN_R),      # 2 speak
    dict(eyes="open", mouth="open", left=DOWN_L, right=DOWN_R),       # 3 speak
    dict(eyes="open", mouth="grin", left=DOWN_L, right=(118, 52)),    # 4 wave
    dict(eyes="open", mouth="grin", left=DOWN_L, right=(120, 30)),    # 5 wave
    dict(eyes="open", mouth="grin", left=DOWN_L, right=(108, 20)),    # 6 wave
    dict(eyes="left", mouth="smile", left=(12, 68), right=DOWN_R),    # 7 point left
    dict(eyes="left", mouth="grin", left=(8, 62), right=DOWN_R),      # 8 point left
    dict(eyes="right", mouth="smile", left=DOWN_L, right=(116, 68)),  # 9 point right
    dict(eyes="right", mouth="grin", left=DOWN_L, right=(120, 62)),   # 10 point right
]
ANIMATIONS = {
    "Idle": "0:32,1,0:24,1,0:8,1",
    "Speak": "2,3,3,2,0,2,3,2,0,3,2,2,0",
    "Wave": "4,5,6,5,6,5,6,5,4",
    "PointLeft": "7,8:14,7",
    "PointRight": "9,10:14,9",
}


def draw_commands(frame):
    d = []

    def stroke(width, colour=NAVY):
        d.extend(["-stroke", colour, "-strokewidth", str(width)])

    # legs and feet
    stroke(6)
    d += ["-fill", "none", "-draw", "line 50,100 48,114", "-draw", "line 78,100 80,114"]
    stroke(3)
    d += ["-fill", NAVY, "-draw", "ellipse 44,117 10,5 0,360", "-draw", "ellipse 84,117 10,5 0,360"]
    # the key: its side, then its top
    stroke(4)
    d += ["-fill", SKY_DARK, "-draw", "roundrectangle 28,18 100,104 18,18"]
    stroke(2, SKY_DARK)
    d += ["-fill", SKY, "-draw", "roundrectangle 35,22 93,88 14,14"]
    stroke(0, "none")
    d += ["-fill", SKY_LIGHT, "-draw", "roundrectangle 41,26 87,40 8,8"]
    # cheeks
    d += ["-fill", CHEEK, "-draw", "ellipse 45,66 5,4 0,360", "-draw", "ellipse 83,66 5,4 0,360"]
    # eyes
    eyes = frame["eyes"]
    if eyes == "shut":
        stroke(3)
        d += ["-fill", "none", "-draw", "line 44,54 56,54", "-draw", "line 72,54 84,54"]
    else:
        stroke(2)
        d += ["-fill", "white", "-draw", "ellipse 50,53 8,10 0,360", "-draw", "ellipse 78,53 8,10 0,360"]
        shift = {"open": 0, "left": -3, "right": 3}[eyes]
        stroke(0, "none")
        d += ["-fill", NAVY,
              "-draw", "circle %d,55 %d,59" % (50 + shift, 50 + shift),
              "-draw", "circle %d,55 %d,59" % (78 + shift, 78 + shift),
              "-fill", "white",
              "-draw", "circle %d,53 %d,54" % (51 + shift, 51 + shift),
              "-draw", "circle %d,53 %d,54" % (79 + shift, 79 + shift)]
    # mouth
    mouth = frame["mouth"]
    if mouth == "smile":
        stroke(3)
        d += ["-fill", "none", "-draw", "arc 54,62 74,76 20,160"]
    elif mouth == "grin":
        stroke(2)
        d += ["-fill", "#7A1F2B", "-draw", "path 'M 54,68 Q 64,82 74,68 Z'"]
    else:
        ry = 3 if mouth == "small" else 6
        stroke(2)
        d += ["-fill", "#7A1F2B", "-draw", "ellipse 64,72 %d,%d 0,360" % (5 if mouth == "small" else 7, ry)]
    # arms from the key's sides, and their gloves
    stroke(6)
    d += ["-fill", "none",
          "-draw", "line %d,%d %d,%d" % (*SHOULDER_L, *frame["left"]),
          "-draw", "line %d,%d %d,%d" % (*SHOULDER_R, *frame["right"])]
    stroke(2)
    d += ["-fill", GLOVE]
    for hand in (frame["left"], frame["right"]):
        d += ["-draw", "circle %d,%d %d,%d" % (hand[0], hand[1], hand[0] + 6, hand[1])]
    return d


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    folder = os.path.join(data, "Agent", "Character")
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        names = []
        for i, frame in enumerate(FRAMES):
            name = os.path.join(work, f"frame{i:02d}.png")
            subprocess.run(["convert", "-size", f"{SIZE}x{SIZE}", "xc:none", *draw_commands(frame), name], check=True)
            names.append(name)
        # 32-bit with alpha, and no colour profile or time stamp, so that a rerun gives the same file
        subprocess.run(["convert", *names, "+append", "-alpha", "on", "-strip", "-define", "bmp:format=bmp4",
                        os.path.join(folder, "Zarek.bmp")], check=True)
    lines = ["[Character]", "Name=Zarek", "Picture=Zarek.bmp", f"Width={SIZE}", f"Height={SIZE}",
             f"FrameTime={FRAME_TIME}", "", "[Animations]"]
    lines += [f"{name}={frames}" for name, frames in ANIMATIONS.items()]
    with open(os.path.join(folder, "Zarek.ini"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
