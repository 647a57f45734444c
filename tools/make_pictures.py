#!/usr/bin/env python3
"""Draws the pictures the programs carry inside them, with ImageMagick:

    data/embedded/games/*.jpg   the seven game pictures of the tutor's games menu (122 x 99, the
                                panel less its 4-pixel inset)
    data/embedded/words/MainImage.jpg   the flying-words game's background (792 x 566)
    data/embedded/words/Image1.bmp      the rocket under the flying word (81 x 113; its corner
                                        colour is the transparent one)

    python3 tools/make_pictures.py [data-folder]

The results are committed; a build needs no ImageMagick. ImageMagick does not join Arabic
letters itself, so an Arabic word is written in its joined presentation forms, in the order they
stand on the line from the left."""
import os
import subprocess
import sys
import tempfile

NAVY = "#0F3D63"
SKY = "#31ADDD"
PALE = "#AEE2FF"
GOLD = "#FFD84A"

GAME_SIZE = (122, 99)


def convert(*args):
    subprocess.run(["convert", *args], check=True)


# "كلمة" joined: teh marbuta final, meem medial, lam medial, kaf initial, from the left
WORD_AR = "\uFE94\uFEE4\uFEE0\uFEDB"


def game_race(out, work):
    w, h = GAME_SIZE
    convert("-size", f"{w}x{h}", "gradient:#7EC8F0-#CDEBFA",
            "-fill", "#3FA34D", "-draw", f"rectangle 0,52 {w},{h}",
            "-fill", "#555B63", "-draw", f"polygon 44,52 78,52 {w},{h} 0,{h}",
            "-fill", "white", "-draw", "polygon 59,56 63,56 64,66 58,66",
            "-draw", "polygon 57,72 65,72 67,88 55,88",
            # the car, seen from behind
            "-fill", "#D7261E", "-draw", "roundrectangle 30,62 92,86 8,8",
            "-fill", "#B01C16", "-draw", "roundrectangle 40,50 82,66 6,6",
            "-fill", "#BFE6FF", "-draw", "roundrectangle 45,53 77,63 3,3",
            "-fill", "#FFD84A", "-draw", "rectangle 34,68 44,73", "-draw", "rectangle 78,68 88,73",
            "-fill", "#1E1E1E", "-draw", "roundrectangle 28,82 42,94 3,3",
            "-draw", "roundrectangle 80,82 94,94 3,3",
            "-fill", "white", "-draw", "rectangle 52,76 70,81",
            out)


def game_numbers(out, work):
    w, h = GAME_SIZE
    digits = [("1", "#E53935", 8, 14, 38), ("2", "#1E88E5", 44, 6, 44), ("3", "#43A047", 84, 16, 36),
              ("4", "#FB8C00", 24, 52, 34), ("5", "#8E24AA", 66, 54, 36)]
    args = ["-size", f"{w}x{h}", "gradient:#FFF6C8-#FFE07A", "-font", "DejaVu-Sans-Bold"]
    for d, color, x, y, size in digits:
        args += ["-fill", "#00000040", "-pointsize", str(size), "-annotate", f"+{x + 2}+{y + size + 2}", d,
                 "-fill", color, "-annotate", f"+{x}+{y + size}", d]
    convert(*args, out)


def game_frog(out, work):
    w, h = GAME_SIZE
    convert("-size", f"{w}x{h}", "gradient:#BDE8FF-#4FB3E8",
            "-fill", "#2F8F3A", "-draw", "ellipse 61,92 52,14 0,360",
            # the frog
            "-fill", "#5DBB3F", "-draw", "ellipse 50,64 30,22 0,360",
            "-draw", "circle 36,42 36,30", "-draw", "circle 64,42 64,30",
            "-fill", "white", "-draw", "circle 36,42 36,34", "-draw", "circle 64,42 64,34",
            "-fill", "black", "-draw", "circle 38,43 38,39", "-draw", "circle 66,43 66,39",
            "-fill", "#E85A8A", "-draw", "polygon 62,68 104,30 107,33 64,72",
            "-fill", "#E85A8A", "-draw", "circle 105,31 105,27",
            "-fill", "none", "-stroke", "#2A6B22", "-strokewidth", "3", "-draw", "arc 32,58 68,78 20,160",
            "-stroke", "none",
            # the fly
            "-fill", "#FFFFFFB0", "-draw", "ellipse 100,14 7,4 0,360", "-draw", "ellipse 112,14 7,4 0,360",
            "-fill", "#222222", "-draw", "circle 106,18 106,14",
            out)


def game_words(out, work):
    w, h = GAME_SIZE
    convert("-size", f"{w}x{h}", f"gradient:{NAVY}-{SKY}",
            "-fill", "#FFFFFF30", "-draw", "ellipse 24,80 30,10 0,360", "-draw", "ellipse 96,86 34,9 0,360",
            # two word cards on wings
            "-fill", "#FFFFFFC0", "-draw", "polygon 20,28 4,14 10,34", "-draw", "polygon 86,28 104,12 98,34",
            "-fill", "white", "-draw", "roundrectangle 18,18 88,46 8,8",
            "-fill", "#FFFFFFC0", "-draw", "polygon 44,66 30,54 34,74", "-draw", "polygon 106,66 120,54 116,74",
            "-fill", GOLD, "-draw", "roundrectangle 42,58 108,82 8,8",
            "-fill", "none", "-stroke", "#FFFFFF90", "-strokewidth", "2",
            "-draw", "line 2,58 14,58", "-draw", "line 0,64 18,64", "-draw", "line 4,70 14,70",
            "-stroke", "none",
            "-fill", NAVY, "-font", "DejaVu-Sans-Bold", "-pointsize", "20", "-annotate", "+32+40", WORD_AR,
            "-pointsize", "16", "-annotate", "+54+76", "word",
            out)


def game_letters(out, work):
    w, h = GAME_SIZE
    letters = [("ب", "#E53935", 10, 8), ("K", "#1E88E5", 48, 4), ("ع", "#43A047", 86, 12),
               ("a", "#FB8C00", 22, 52), ("س", "#8E24AA", 62, 46), ("M", "#00897B", 94, 58)]
    args = ["-size", f"{w}x{h}", "gradient:#DDF3FF-#9FD8F7"]
    for i, (letter, color, x, y) in enumerate(letters):
        cx, cy = x + 12, y + 14
        args += ["-fill", "none", "-stroke", "#5B7F95", "-strokewidth", "1",
                 "-draw", f"line {cx},{cy + 13} {cx - 2},{cy + 28}", "-stroke", "none",
                 "-fill", color, "-draw", f"ellipse {cx},{cy} 13,15 0,360",
                 "-fill", "#FFFFFF50", "-draw", f"ellipse {cx - 5},{cy - 6} 4,5 0,360",
                 "-fill", "white", "-font", "DejaVu-Sans-Bold", "-pointsize", "17",
                 "-gravity", "northwest", "-annotate", f"+{cx - 6}+{cy - 12}", letter]
    convert(*args, out)


def game_speed(out, work):
    w, h = GAME_SIZE
    cx, cy = 61, 56
    args = ["-size", f"{w}x{h}", "gradient:#37474F-#1C272C",
            "-fill", "#ECEFF1", "-draw", f"circle {cx},{cy} {cx},{cy - 44}",
            "-fill", "#263238", "-draw", f"circle {cx},{cy} {cx},{cy - 40}",
            "-fill", "none", "-strokewidth", "7"]
    box = f"{cx - 31},{cy - 31} {cx + 31},{cy + 31}"
    for color, a, b in (("#43A047", 150, 230), ("#FDD835", 232, 310), ("#E53935", 312, 390)):
        args += ["-stroke", color, "-draw", f"arc {box} {a},{b}"]
    args += ["-stroke", "none",
             # the needle, pointing high
             "-fill", "#FF7043", "-draw", f"polygon {cx - 3},{cy - 3} {cx + 3},{cy + 3} {cx + 26},{cy - 17}",
             "-fill", "#ECEFF1", "-draw", f"circle {cx},{cy} {cx},{cy - 5}",
             "-fill", "white", "-font", "DejaVu-Sans-Bold", "-pointsize", "13", "-gravity", "south",
             "-annotate", "+0+4", "WPM"]
    convert(*args, out)


def game_keys(out, work):
    w, h = GAME_SIZE
    args = ["-size", f"{w}x{h}", "gradient:#546E7A-#263238"]
    rows = [(6, ["Q", "W", "E", "R"]), (36, ["A", "S", "D", "F"]), (66, ["Z", "X", "C", "V"])]
    for r, (y, keys) in enumerate(rows):
        for i, key in enumerate(keys):
            x = 5 + r * 6 + i * 27
            face = GOLD if key == "F" else "#FAFAFA"
            args += ["-fill", "#90A4AE", "-draw", f"roundrectangle {x},{y + 2} {x + 24},{y + 27} 4,4",
                     "-fill", face, "-draw", f"roundrectangle {x},{y} {x + 24},{y + 23} 4,4",
                     "-fill", NAVY, "-font", "DejaVu-Sans-Bold", "-pointsize", "13",
                     "-annotate", f"+{x + 7}+{y + 17}", key]
    convert(*args, out)


GAMES = {
    "Race.jpg": game_race,
    "Numbers.jpg": game_numbers,
    "Frog.jpg": game_frog,
    "Words.jpg": game_words,
    "Letters.jpg": game_letters,
    "Speed.jpg": game_speed,
    "Keys.jpg": game_keys,
}

# Where the game's four buttons lie (words/Main.cpp), for the plates drawn under their captions:
# Start, Pause (the longest captions), language, Close.
WORDS_BUTTONS = [(20, 500, 160, 52), (194, 500, 220, 52), (428, 500, 170, 52), (612, 500, 160, 52)]


def words_background(out, work):
    w, h = 792, 566
    args = ["-size", f"{w}x{h}", "gradient:#0B2E55-#2C7FBF"]
    # soft clouds
    clouds = os.path.join(work, "clouds.png")
    cloud_args = ["-size", f"{w}x{h}", "xc:none", "-fill", "#FFFFFF22"]
    for cx, cy, rx, ry in [(120, 160, 90, 26), (170, 150, 60, 30), (600, 120, 110, 28), (650, 108, 60, 30),
                           (380, 300, 120, 24), (430, 290, 70, 28), (90, 390, 80, 22), (700, 360, 90, 24)]:
        cloud_args += ["-draw", f"ellipse {cx},{cy} {rx},{ry} 0,360"]
    convert(*cloud_args, "-blur", "0x8", clouds)
    args += [clouds, "-composite"]
    # stars
    args += ["-fill", "#FFFFFF90"]
    for i in range(40):
        x = (i * 197 + 31) % w
        y = 64 + (i * 89 + 17) % 260
        args += ["-draw", f"point {x},{y}"]
    # the counter band at the top and the button band at the bottom
    args += ["-fill", "#0A2540D0", "-draw", f"rectangle 0,0 {w},56",
             "-fill", GOLD, "-draw", f"rectangle 0,56 {w},59",
             "-fill", "#0A2540D0", "-draw", f"rectangle 0,484 {w},{h}",
             "-fill", GOLD, "-draw", f"rectangle 0,481 {w},484"]
    for x, y, bw, bh in WORDS_BUTTONS:
        args += ["-fill", "#00000060", "-draw", f"roundrectangle {x + 3},{y + 4} {x + bw + 3},{y + bh + 4} 12,12",
                 "-fill", "#FFF4D6", "-draw", f"roundrectangle {x},{y} {x + bw},{y + bh} 12,12",
                 "-fill", "#FFFFFF", "-draw", f"roundrectangle {x + 4},{y + 3} {x + bw - 4},{y + bh / 2} 9,9"]
    # the three counter boxes
    for x in (20, 230, 440):
        args += ["-fill", "#FFFFFF20", "-draw", f"roundrectangle {x},10 {x + 180},46 8,8"]
    convert(*args, "-strip", "-quality", "90", out)


def words_rocket(out, work):
    # drawn without smoothing, so that every pixel is the rocket's or the transparent corner's
    convert("-size", "81x113", "xc:#FF00FF", "+antialias",
            "-fill", "#FF8F00", "-draw", "polygon 28,86 53,86 40,112",
            "-fill", "#FFE082", "-draw", "polygon 33,86 48,86 40,102",
            "-fill", "#C62828", "-draw", "polygon 22,58 14,86 28,80", "-draw", "polygon 59,58 67,86 53,80",
            "-fill", "#ECEFF1", "-draw", "roundrectangle 26,22 55,86 8,8",
            "-fill", "#C62828", "-draw", "polygon 26,26 40,0 55,26",
            "-fill", "#90A4AE", "-draw", "rectangle 26,78 55,86",
            "-fill", "#1565C0", "-draw", "circle 40,44 40,35",
            "-fill", "#90CAF9", "-draw", "circle 38,42 38,38",
            "-alpha", "off", "-type", "TrueColor", f"BMP3:{out}")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    games = os.path.join(data, "embedded", "games")
    words = os.path.join(data, "embedded", "words")
    os.makedirs(games, exist_ok=True)
    os.makedirs(words, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, draw in GAMES.items():
            png = os.path.join(work, name + ".png")
            draw(png, work)
            # no dates or other metadata, so that a rerun changes nothing
            convert(png, "-strip", "-quality", "92", os.path.join(games, name))
        words_background(os.path.join(words, "MainImage.jpg"), work)
        words_rocket(os.path.join(words, "Image1.bmp"), work)


if __name__ == "__main__":
    main()
