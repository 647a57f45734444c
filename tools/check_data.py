#!/usr/bin/env python3
"""Checks the shipped data tree the way the tutor reads it.

    python3 tools/check_data.py <data-folder> [--lessons tools/course/lessons.txt]

Prints one line per fault, "<file>:<line>: <what>", and exits with 1 when there is any."""
import argparse
import configparser
import html
import os
import re
import shutil
import struct
import subprocess
import sys

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course import figures, keyboard  # noqa: E402
from course.lessons import LESSONS_FILE, read_lessons, taught_chars  # noqa: E402
from course.names import KEY_NAMES  # noqa: E402

PAGE_HEADER = ["char", "data", "PicNo"]
FIELD_SIZES = {"char": 20, "data": 1000, "PicNo": 20}
VALUE_LIMIT = 1000          # the delimited loader keeps 1000 characters after each comma
MIN_PAGES, MAX_PAGES = 2, 6    # a lesson page, up to four key pages, the practice page
SURFACE_CHARS = 30          # characters a wrapped surface line holds, estimated low
SURFACE_LINES = 120         # line pairs the typing surface can hold
EFFECTS = ["Tick", "Typing", "WrongChar", "WellDone", "NewUserA", "NewUserE"]
MINUTES = 8
MIN_TEST_TEXTS = 8
SMALL_WAVE_FOLDERS = ("effects", "ASnd", "Agent")   # our own sounds: mono 16-bit, 22 kHz or less
AGENT_PAGES = ["zarek welcom.htm", "zarek entr class.htm", "Class.htm", "Lessons.htm", "Beginner.htm",
               "EntrncTst.htm", "SpeedScrn.htm", "Results.htm", "OptnSc.htm", "Games.htm"]
AGENT_LANGUAGES = "AE"            # a block of character lines for each interface language
CHARACTER_SETTINGS = os.path.join("Agent", "Character", "Zarek.ini")
SOUND_FOLDER = os.path.join("Agent", "wave caracter")
# What the view's page rewriting changes outside tags (code page 1256 0x80, 0x8A, 0x98, 0x9A,
# 0xA0), and what it takes for a tag or a relative path: a line holding one would not say what it shows.
REWRITTEN_IN_PAGES = ["\u20ac", "\u0679", "\u06a9", "\u0691", "\u00a0", "<", "./"]


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class Checker:
    def __init__(self, data, lessons_file):
        self.data = data
        self.lessons_file = lessons_file
        self.errors = []
        self.figures = []       # one row per lesson, see check_course

    def fail(self, path, line, message):
        rel = os.path.relpath(path, self.data).replace(os.sep, "/")
        self.errors.append(f"{rel}:{line}: {message}")

    # ------------------------------------------------------------ text files

    def read_lines(self, path):
        """Lines of a code page 1256 text with CR LF ends, or None after reporting why not."""
        if not os.path.isfile(path):
            self.fail(path, 0, "file is missing")
            return None
        raw = read_bytes(path)
        if raw.startswith(b"\xef\xbb\xbf"):
            self.fail(path, 1, "starts with a UTF-8 byte-order mark; the tutor reads code page 1256")
            return None
        if any(b >= 0x80 for b in raw):
            try:
                raw.decode("utf-8")
                self.fail(path, 1, "is UTF-8 text; the tutor reads code page 1256")
                return None
            except UnicodeDecodeError:
                pass
        text = raw.decode("cp1256")
        ok = True
        parts = text.split("\r\n")
        if parts[-1] != "":
            self.fail(path, len(parts), "last line does not end with CR LF")
            ok = False
        lines = parts[:-1] if parts[-1] == "" else parts
        for i, line in enumerate(lines, 1):
            if "\n" in line or "\r" in line:
                self.fail(path, i, "line end is not CR LF")
                ok = False
            bad = [c for c in line if ord(c) < 0x20 or c == "\x7f"]
            if bad:
                self.fail(path, i, f"control character U+{ord(bad[0]):04X}")
                ok = False
        return lines if ok else None

    # ------------------------------------------------------------ lesson list and pages

    def check_lesson_list(self):
        path = os.path.join(self.data, "ALessons.txt")
        lines = self.read_lines(path)
        if lines is None:
            return 0
        for i, line in enumerate(lines, 1):
            if not line.strip():
                self.fail(path, i, "empty lesson title")
        return len(lines)

    def check_pages(self, n):
        path = os.path.join(self.data, "ALess", f"ALess{n}.txt")
        lines = self.read_lines(path)
        if lines is None:
            return
        if not lines or self.split(lines[0]) != PAGE_HEADER:
            self.fail(path, 1, f"header must be {','.join(PAGE_HEADER)}")
            return
        pages = lines[1:]
        if not MIN_PAGES <= len(pages) <= MAX_PAGES:
            self.fail(path, 1, f"{len(pages)} pages; a lesson has {MIN_PAGES} to {MAX_PAGES}")
        for i, line in enumerate(pages, 2):
            if not line:
                self.fail(path, i, "empty line (an empty page)")
                continue
            fields = self.split(line)
            if len(fields) > len(PAGE_HEADER):
                self.fail(path, i, f"stray comma: {len(fields)} fields where the header has "
                                   f"{len(PAGE_HEADER)} (use the Arabic comma or &#44;)")
                continue
            if len(fields) < len(PAGE_HEADER):
                self.fail(path, i, f"{len(fields)} fields where the header has {len(PAGE_HEADER)}")
                continue
            rest = line
            while "," in rest:
                rest = rest.split(",", 1)[1]
                if len(rest) > VALUE_LIMIT:
                    self.fail(path, i, f"{len(rest)} characters after a comma; the loader keeps {VALUE_LIMIT}")
                    break
            for name, value in zip(PAGE_HEADER, fields):
                if len(value) > FIELD_SIZES[name]:
                    self.fail(path, i, f"{name} holds {len(value)} characters; at most {FIELD_SIZES[name]}")
            char, body, _ = fields
            if not char or not body:
                self.fail(path, i, "page without a key or without a body")
                continue
            sound = os.path.join(self.data, "ASnd", char + ".wav")
            if not os.path.isfile(sound):
                self.fail(path, i, f"page sound ASnd/{char}.wav is missing")

    @staticmethod
    def split(line):
        # The tutor's loader: comma-split, no quoting.
        return line.split(",")

    # ------------------------------------------------------------ typing texts

    def check_typing_text(self, path, allowed=None, taught_in=None):
        lines = self.read_lines(path)
        if lines is None:
            return
        if not lines:
            self.fail(path, 1, "text is empty")
            return
        for i, line in enumerate(lines, 1):
            if not line.strip():
                self.fail(path, i, "blank line: its typing line could never be completed")
                continue
            if line != line.strip(" "):
                self.fail(path, i, "line starts or ends with a space")
            if allowed is not None:
                for c in dict.fromkeys(line):
                    if c not in allowed:
                        when = taught_in.get(c)
                        why = f"not taught until lesson {when}" if when else "not taught by the course"
                        self.fail(path, i, f"uses '{c}' (U+{ord(c):04X}), {why}")
        wrapped = max(wrapped_lines(lines), wrapped_lines(["".join(lines)]))
        if wrapped > SURFACE_LINES:
            self.fail(path, len(lines), f"about {wrapped} lines once wrapped; the surface holds {SURFACE_LINES}")

    def check_practices(self, n, allowed, taught_in):
        for k in (1, 2, 3):
            self.check_typing_text(os.path.join(self.data, "ALess", f"Qless{n}_{k}.txt"), allowed, taught_in)

    def check_tests(self, keyboard_chars, taught_in):
        folder = os.path.join(self.data, "ASpeedText")
        names_path = os.path.join(folder, "Text.txt")
        names = self.read_lines(names_path)
        if names is not None:
            if len(names) < MIN_TEST_TEXTS:
                self.fail(names_path, len(names), f"{len(names)} test texts; at least {MIN_TEST_TEXTS}")
            for i, name in enumerate(names, 1):
                text = os.path.join(folder, name + ".txt")
                if not name or not os.path.isfile(text):
                    self.fail(names_path, i, f"no text file for the name '{name}'")
                else:
                    self.check_typing_text(text, keyboard_chars, taught_in)
        for lang in "AE":
            path = os.path.join(self.data, f"{lang}Minutes.txt")
            lines = self.read_lines(path)
            if lines is not None and (len(lines) != MINUTES or not all(l.strip() for l in lines)):
                self.fail(path, len(lines), f"needs {MINUTES} duration labels, one a line (entry k is k + 1 minutes)")

    # ------------------------------------------------------------ sounds

    def check_waves(self):
        for name in EFFECTS:
            path = os.path.join(self.data, "effects", name + ".wav")
            if not os.path.isfile(path):
                self.fail(path, 0, "sound effect is missing")
        for root, _, files in os.walk(self.data):
            for f in sorted(files):
                if f.lower().endswith(".wav"):
                    path = os.path.join(root, f)
                    small = os.path.relpath(root, self.data).split(os.sep)[0] in SMALL_WAVE_FOLDERS
                    problem = wave_problem(read_bytes(path), small)
                    if problem:
                        self.fail(path, 0, problem)

    # ------------------------------------------------------------ assistant character

    def check_assistant(self):
        animations = self.check_character()
        named = set()
        for page in AGENT_PAGES:
            named |= self.check_agent_page(os.path.join(self.data, "Agent", "Html", page), animations)
        folder = os.path.join(self.data, SOUND_FOLDER)
        if os.path.isdir(folder):
            for f in sorted(os.listdir(folder)):
                if f not in named:
                    self.fail(os.path.join(folder, f), 0, "no page says this sound")

    def check_character(self):
        """The character's animations by upper-case name, after checking its picture."""
        path = os.path.join(self.data, CHARACTER_SETTINGS)
        if not os.path.isfile(path):
            self.fail(path, 0, "file is missing")
            return None
        ini = configparser.ConfigParser(interpolation=None)
        ini.optionxform = str.upper
        try:
            ini.read_string(read_bytes(path).decode("cp1256"))
            width, height = int(ini["Character"]["WIDTH"]), int(ini["Character"]["HEIGHT"])
            picture = ini["Character"]["PICTURE"]
            items = dict(ini["Animations"])
        except (configparser.Error, KeyError, ValueError) as e:
            self.fail(path, 0, f"needs [Character] Picture, Width, Height and [Animations]: {e}")
            return None
        frames = self.character_frames(os.path.join(os.path.dirname(path), picture), width, height)
        animations = {}
        for name, value in items.items():
            try:
                cells = [item.split(":") for item in value.split(",")]
                sequence = [int(c[0]) for c in cells if len(c) <= 2 and all(int(x) >= 0 for x in c)]
                if len(sequence) != len(cells) or (frames and max(sequence) >= frames):
                    raise ValueError(value)
            except ValueError:
                self.fail(path, 0, f"animation {name}: '{value}' is not a list of frames 0 to {frames - 1}")
                continue
            animations[name] = sequence
        for needed in ("IDLE", "SPEAK"):
            if needed not in animations:
                self.fail(path, 0, f"needs the animation {needed.title()}")
        return animations

    def character_frames(self, path, width, height):
        """How many frames the picture holds, or 0 after reporting why none."""
        if not os.path.isfile(path):
            self.fail(path, 0, "file is missing")
            return 0
        raw = read_bytes(path)
        if len(raw) < 30 or raw[:2] != b"BM":
            self.fail(path, 0, "not a BMP picture")
            return 0
        full_width, full_height = struct.unpack("<ii", raw[18:26])
        bits = struct.unpack("<H", raw[28:30])[0]
        if bits != 32:
            self.fail(path, 0, f"{bits} bits a pixel; the character needs 32, with alpha")
        if width <= 0 or height <= 0 or full_width < width or abs(full_height) < height:
            self.fail(path, 0, f"a {full_width} x {abs(full_height)} picture holds no {width} x {height} frame")
            return 0
        return full_width // width

    def check_agent_page(self, path, animations):
        """Checks one page; returns the sounds it names."""
        lines = self.read_lines(path)
        if lines is None:
            return set()
        text = "\r\n".join(lines) + "\r\n"

        def line_of(offset):
            return text.count("\r\n", 0, offset) + 1

        blocks = list(re.finditer(r"<script\b([^>]*)>(.*?)</script\s*>", text, re.IGNORECASE | re.DOTALL))
        character_lines = set()
        sounds = set()
        for language in AGENT_LANGUAGES:
            found = [b for b in blocks if re.search(rf'\bid\s*=\s*"?Character{language}\b', b.group(1))]
            if not found:
                self.fail(path, 1, f"no script element with the id Character{language}")
                continue
            block = found[0]
            if not re.search(r'\btype\s*=\s*"text/x-character"', block.group(1)):
                self.fail(path, line_of(block.start()), 'character lines need type="text/x-character", '
                                                         "so that no engine runs them")
            first = line_of(block.start(2))
            for i, line in enumerate(block.group(2).split("\r\n")):
                line = line.strip(" \t")
                if not line:
                    continue
                number = first + i
                character_lines.add(number)
                try:
                    call, args = parse_character_line(line)
                except ValueError as e:
                    self.fail(path, number, f"{e}: {line}")
                    continue
                for bad in REWRITTEN_IN_PAGES:
                    if any(bad in str(a) for a in args):
                        self.fail(path, number, f"holds {bad!r}, which the page view rewrites")
                if call == "Play" and animations is not None and args[0].upper() not in animations:
                    self.fail(path, number, f"the character has no animation {args[0]}")
                if call == "Speak" and len(args) > 1 and args[1]:
                    sounds.add(args[1])
                    if not os.path.isfile(os.path.join(self.data, SOUND_FOLDER, args[1])):
                        self.fail(path, number, f"sound {SOUND_FOLDER}/{args[1]} is missing".replace(os.sep, "/"))
        if blocks:
            first_block = blocks[0]
            if "\\" in first_block.group(0):
                self.fail(path, line_of(first_block.start()),
                          "the first script block holds a backslash, which the view turns into a slash")
            if "text/x-character" in first_block.group(1):
                self.fail(path, line_of(first_block.start()),
                          "the first script block goes into the view's blank page: it cannot hold character lines")
        for number, line in enumerate(lines, 1):
            if ".MoveTo " in line and number not in character_lines:
                self.fail(path, number, "'.MoveTo ' outside the character lines: the tutor would rewrite it")
        return sounds

    # ------------------------------------------------------------ what the course teaches

    def check_course(self, lessons, taught):
        """The keys the pages name, the order of marks they teach, and the course's figures."""
        examples = []
        for lesson in lessons:
            path = os.path.join(self.data, "ALess", f"ALess{lesson.number}.txt")
            for i, body in self.page_bodies(path):
                self.check_key_names(path, i, body)
                examples += [(path, i, word, keys) for word, keys in TYPING_EXAMPLE.findall(body)]
        practices = {lesson.number: [self.practice_lines(lesson.number, k) for k in (1, 2, 3)]
                     for lesson in lessons}
        self.check_mark_order(examples, practices)
        self.check_figures(lessons, taught, practices)

    def page_bodies(self, path):
        """(line, text) of each page of a lesson file that reads, entities resolved."""
        if not os.path.isfile(path):
            return []
        lines = read_bytes(path).decode("cp1256", errors="replace").split("\r\n")
        return [(i, html.unescape(line.split(",", 1)[1])) for i, line in enumerate(lines[1:], 2)
                if line.count(",") == 2]

    def practice_lines(self, n, k):
        """The lines of a practice, or None when it cannot be read (its fault is told apart)."""
        path = os.path.join(self.data, "ALess", f"Qless{n}_{k}.txt")
        if not os.path.isfile(path):
            return None
        raw = read_bytes(path)
        try:
            raw.decode("utf-8")
            if any(b >= 0x80 for b in raw):
                return None
        except UnicodeDecodeError:
            pass
        return [line for line in raw.decode("cp1256").split("\r\n") if line]

    def check_key_names(self, path, line, body):
        """Every key a page names by its key cap and Shift must type what the page says."""
        def wrong(char, spec):
            char = char[1:] if len(char) > 1 and char[0] == figures.TATWEEL else char
            try:
                right = keyboard.key_spec(char)
            except KeyError:
                return f"names '{char}' ({spec}), a character the keyboard has no key for"
            return None if right == spec else f"says '{char}' is {spec}; it is {right}"

        named = set()
        for m in KEY_MENTION.finditer(body):
            named.add(m.start(2))
            problem = wrong(m.group(1), m.group(2))
            if problem:
                self.fail(path, line, problem)
        for m in KEY_CELLS.finditer(body):
            named.add(m.start(2))
            problem = wrong(m.group(1), m.group(2))
            if problem:
                self.fail(path, line, problem)
        for m in SHIFT_KEY.finditer(body):
            if m.start() not in named:
                self.fail(path, line, f"names {m.group(0)} without the character it types "
                                      f"(write «c» ({m.group(0)}))")

    def check_mark_order(self, examples, practices):
        """A page that spells out the keystrokes of a word teaches an order of marks; no
        practice may hold two of those marks the other way round."""
        taught = {}
        for path, line, word, keys in examples:
            strokes = [k[1:] if len(k) > 1 and k[0] == figures.TATWEEL else k for k in keys.split(" + ")]
            if "".join(strokes) != word:
                self.fail(path, line, f"the keystrokes shown do not type «{word}»")
                continue
            # The shadda shown before or after one vowel goes there with every vowel.
            for a, b in zip(strokes, strokes[1:]):
                if figures.SHADDA in (a, b) and a in figures.MARKS and b in figures.MARKS:
                    for m in figures.MARKS - {figures.SHADDA}:
                        pair = (figures.SHADDA, m) if a == figures.SHADDA else (m, figures.SHADDA)
                        taught.setdefault(pair, (path, line))
        for (a, b), (path, line) in taught.items():
            page = os.path.relpath(path, self.data).replace(os.sep, "/")
            for n, texts in practices.items():
                for k, lines in enumerate(texts, 1):
                    for i, text in enumerate(lines or [], 1):
                        if b + a in text:
                            self.fail(os.path.join(self.data, "ALess", f"Qless{n}_{k}.txt"), i,
                                      f"types the {KEY_NAMES[b][1]} before the {KEY_NAMES[a][1]}; "
                                      f"{page}:{line} teaches the {KEY_NAMES[a][1]} first")

    def check_figures(self, lessons, taught, practices):
        """Enough typing, real words, the new keys in use, and useful keys early."""
        prose = []
        for name in self.read_lines(os.path.join(self.data, "ASpeedText", "Text.txt")) or []:
            text = os.path.join(self.data, "ASpeedText", name + ".txt")
            if os.path.isfile(text):
                prose += figures.arabic_words(read_bytes(text).decode("cp1256", errors="replace"))
        first = {n: [figures.plain(w) for line in texts[0] or [] for w in figures.arabic_words(line)]
                 for n, texts in practices.items()}
        unknown = unknown_words({w for words in first.values() for w in words})
        lessons_file = os.path.join(self.data, "ALessons.txt")
        for lesson in lessons:
            n, keys = lesson.number, lesson.keys
            before = taught[n - 2] if n > 1 else frozenset({" "})
            texts = practices[n]
            if None in texts:
                continue
            row = {"lesson": n, "chars": sum(len(line) for lines in texts for line in lines),
                   "typeable": figures.typeable_share(prose, taught[n - 1])}
            words = first[n]
            if unknown is not None and words:
                row["real"] = sum(1 for w in words if w not in unknown) / len(words)
            if keys:
                row["new"] = figures.new_key_share(texts[2], keys, before)
                if row["chars"] < figures.LESSON_CHARS:
                    self.fail(lessons_file, n, f"lesson {n} has {row['chars']} characters of practice; "
                                               f"a key lesson has at least {figures.LESSON_CHARS}")
                if row["new"] < figures.NEW_KEY_SHARE:
                    self.fail(lessons_file, n, f"lesson {n}: its new keys are {row['new']:.0%} of practice 3; "
                                               f"at least {figures.NEW_KEY_SHARE:.0%}")
                teaches_letters = any(c.isalpha() or c in figures.MARKS for key in keys for c in key)
                if teaches_letters and row.get("real", 1) < figures.PRACTICE1_REAL_WORDS:
                    self.fail(lessons_file, n, f"lesson {n}: {row['real']:.0%} of practice 1 are real words; "
                                               f"at least {figures.PRACTICE1_REAL_WORDS:.0%}")
            self.figures.append(row)
        if unknown is None:
            self.fail(lessons_file, 0, "real words not measured: the check needs hunspell and "
                                       "hunspell-ar (scripts/setup.sh installs them)")
        if len(taught) >= 10 and prose:
            share = figures.typeable_share(prose, taught[9])
            if share < figures.TYPEABLE_BY_LESSON_10:
                self.fail(lessons_file, 10, f"after lesson 10 a learner types {share:.0%} of the test "
                                            f"texts' words; at least {figures.TYPEABLE_BY_LESSON_10:.0%}")

    # ------------------------------------------------------------ all

    def run(self):
        lessons = read_lessons(self.lessons_file)
        taught = taught_chars(lessons)
        taught_in = {}
        for lesson in lessons:
            for c in lesson.chars:
                taught_in.setdefault(c, lesson.number)
        count = self.check_lesson_list()
        if count and count != len(lessons):
            self.fail(os.path.join(self.data, "ALessons.txt"), count,
                      f"{count} lessons listed; the course defines {len(lessons)}")
        for n in range(1, count + 1):
            self.check_pages(n)
            allowed = taught[min(n, len(taught)) - 1]
            self.check_practices(n, allowed, taught_in)
        self.check_tests(taught[-1], taught_in)
        self.check_waves()
        self.check_course(lessons[:count], taught)
        check_page_support(self)
        self.check_assistant()
        check_keyboards(self)
        return self.errors


# ------------------------------------------------------------ what the page renderer shows

PAGE_SUPPORT_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "platform", "web", "PageSupport.txt")
PAGE_COMMENT = re.compile(r"<!--.*?(-->|$)", re.S)
PAGE_SCRIPT = re.compile(r"(<script\b[^>]*>).*?(</script|$)", re.S | re.I)
PAGE_TAG = re.compile(r"<([a-zA-Z][a-zA-Z0-9]*)")
PAGE_STYLE_BLOCK = re.compile(r"<style\b[^>]*>(.*?)(?:</style|$)", re.S | re.I)
PAGE_STYLE_ATTRIBUTE = re.compile(r"""\bstyle\s*=\s*(?:"([^"]*)"|'([^']*)')""", re.I)
CSS_PROPERTY = re.compile(r"(?:^|[{;])\s*([-a-zA-Z]+)\s*:")


def read_page_support(path=PAGE_SUPPORT_FILE):
    """The tags and style properties the page renderer supports: the table its tests read too."""
    sections = {"tags": set(), "properties": set()}
    current = None
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.get(line[1:-1])
            elif current is not None:
                current.add(line)
    return sections["tags"], sections["properties"]


def css_properties(css):
    """The property names of a style sheet's rule bodies (or of one style attribute)."""
    css = re.sub(r"/\*.*?\*/", "", css, flags=re.S)
    bodies = re.findall(r"\{([^{}]*)\}", css) if "{" in css else [css]
    return [m.group(1).lower() for body in bodies for m in CSS_PROPERTY.finditer(";" + body)]


def page_uses(text):
    """(tag, offset) and (property, offset) of what a page's markup uses, outside comments and scripts."""
    text = PAGE_COMMENT.sub(lambda m: " " * len(m.group(0)), text)
    text = PAGE_SCRIPT.sub(lambda m: m.group(1) + " " * (len(m.group(0)) - len(m.group(1))), text)
    tags = [(m.group(1).lower(), m.start()) for m in PAGE_TAG.finditer(text)]
    properties = [(p, m.start()) for m in PAGE_STYLE_BLOCK.finditer(text) for p in css_properties(m.group(1))]
    properties += [(p, m.start()) for m in PAGE_STYLE_ATTRIBUTE.finditer(text)
                   for p in css_properties(m.group(1) or m.group(2) or "")]
    return tags, properties


def check_page_support(checker):
    """Every shipped lesson page, help page and style sheet, and assistant page uses only what the
    page renderer shows, so that none is shown wrong where no browser engine exists."""
    tags, properties = read_page_support()

    def check(path, text, first_line=1):
        used_tags, used_properties = page_uses(text)
        seen = set()
        for name, at, known, kind in ([(t, a, tags, "tag") for t, a in used_tags] +
                                      [(p, a, properties, "style property") for p, a in used_properties]):
            if name in known or (kind, name) in seen:
                continue
            seen.add((kind, name))
            checker.fail(path, first_line + text.count("\n", 0, at),
                         f"{kind} '{name}' is not shown by the page renderer (platform/web/PageSupport.txt)")

    less = os.path.join(checker.data, "ALess")
    if os.path.isdir(less):
        for name in sorted(os.listdir(less)):
            if re.fullmatch(r"ALess\d+\.txt", name):
                path = os.path.join(less, name)
                for line, body in checker.page_bodies(path):
                    check(path, body, line)
    for folder in (os.path.join(checker.data, "help", "en"), os.path.join(checker.data, "help", "ar"),
                   os.path.join(checker.data, "Agent", "Html")):
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            lower = name.lower()
            if lower.endswith((".htm", ".html")):
                check(path, read_bytes(path).decode("cp1256", errors="replace"))
            elif lower.endswith(".css"):
                text = read_bytes(path).decode("cp1256", errors="replace")
                for prop in css_properties(text):
                    if prop not in properties:
                        at = text.lower().find(prop)
                        checker.fail(path, 1 + text.count("\n", 0, max(at, 0)),
                                     f"style property '{prop}' is not shown by the page renderer "
                                     "(platform/web/PageSupport.txt)")


# How pages name keys: «ط» (') in the text, or a key table's cell pair; and the keystrokes of a
# word, «مُعَلِّمٌ»: م + ـُ + ...
KEY_MENTION = re.compile("«([^»]+)» \\(((?:Shift\\+)?[^)\\s\u200e]+)\u200e?\\)")
KEY_CELLS = re.compile(r"<td class=n>([^<]+)</td><td class=k>([^<]+)</td>")
SHIFT_KEY = re.compile(r"Shift\+\S")
TYPING_EXAMPLE = re.compile(r"«([^»]+)»: ((?:[^\s<+]+ \+ )+[^\s<+]+)")


# ------------------------------------------------------------ the results screen's keyboards

KEYBOARDS = os.path.join("embedded", "results")
KEY_LABELS = os.path.join(KEYBOARDS, "KeyLabels.txt")
KEY_LABELS_HEADER = "panel\tkind\tcaption\tleft\ttop\twidth\theight"
KEY_PANELS = {"KeysPanelAr": "KeysAr.jpg", "KeysPanelAr2": "KeysAr2.jpg",
              "KeysPanelEn": "KeysEn.jpg", "KeysPanelEn2": "KeysEn2.jpg"}
KEYS_A_PANEL = 47              # the keys that type a character
KEY_LIST_FILE = "Akeys.txt"    # the on-screen keyboard's key list, those keys first


def jpeg_size(raw):
    """(width, height) of a JPEG picture, None when it is none."""
    if not raw.startswith(b"\xff\xd8"):
        return None
    i = 2
    while i + 9 < len(raw):
        if raw[i] != 0xFF:
            return None
        marker, length = raw[i + 1], struct.unpack(">H", raw[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2, 0xC3):
            height, width = struct.unpack(">HH", raw[i + 5:i + 9])
            return width, height
        i += 2 + length
    return None


def check_keyboards(checker):
    """The proficiency map's keyboard pictures and the labels over their keys: every panel has its
    picture, a label over each of its keys inside the picture, and its two Shift keys; the Arabic
    keyboard's labels are the keys of the on-screen keyboard's list, in its order."""
    sizes = {}
    for panel, picture in KEY_PANELS.items():
        path = os.path.join(checker.data, KEYBOARDS, picture)
        if not os.path.isfile(path):
            checker.fail(path, 0, "keyboard picture is missing")
            continue
        size = jpeg_size(read_bytes(path))
        if size is None:
            checker.fail(path, 0, "is no JPEG picture")
        sizes[panel] = size
    path = os.path.join(checker.data, KEY_LABELS)
    if not os.path.isfile(path):
        checker.fail(path, 0, "file is missing")
        return
    raw = read_bytes(path)
    try:
        text = raw.decode("cp1256")
    except UnicodeDecodeError:
        checker.fail(path, 1, "is not code page 1256 text")
        return
    if not text.endswith("\r\n") or "\n" in text.replace("\r\n", ""):
        checker.fail(path, 1, "lines must end with CR LF")
        return
    lines = text[:-2].split("\r\n")
    if lines[0] != KEY_LABELS_HEADER:
        checker.fail(path, 1, "header must be " + KEY_LABELS_HEADER.replace("\t", " TAB "))
        return
    keys = {panel: [] for panel in KEY_PANELS}
    shifts = {panel: set() for panel in KEY_PANELS}
    for n, line in enumerate(lines[1:], 2):
        fields = line.split("\t")
        if len(fields) != 7:
            checker.fail(path, n, f"{len(fields)} fields where the header has 7")
            continue
        panel, kind, caption = fields[:3]
        if panel not in KEY_PANELS:
            checker.fail(path, n, f"unknown panel {panel}")
            continue
        try:
            left, top, width, height = (int(f) for f in fields[3:])
        except ValueError:
            checker.fail(path, n, "left, top, width and height must be whole numbers")
            continue
        size = sizes.get(panel)
        if width <= 0 or height <= 0 or left < 0 or top < 0 or \
                (size and (left + width > size[0] or top + height > size[1])):
            checker.fail(path, n, f"{left},{top} {width}x{height} lies outside the picture {size}")
        if kind == "key":
            if not caption:
                checker.fail(path, n, "a key's label needs its caption")
            keys[panel].append((n, caption))
        elif kind in ("ShiftL", "ShiftR"):
            shifts[panel].add(kind)
        else:
            checker.fail(path, n, f"unknown kind {kind} (key, ShiftL or ShiftR)")
    for panel in KEY_PANELS:
        if len(keys[panel]) != KEYS_A_PANEL:
            checker.fail(path, 0, f"{panel} has {len(keys[panel])} key labels; a keyboard has {KEYS_A_PANEL}")
        for kind in ("ShiftL", "ShiftR"):
            if kind not in shifts[panel]:
                checker.fail(path, 0, f"{panel} has no {kind} line")
    key_list = checker.read_lines(os.path.join(checker.data, KEY_LIST_FILE))
    if key_list is not None:
        for i, (n, caption) in enumerate(keys["KeysPanelAr"]):
            if i < len(key_list) and caption != key_list[i]:
                checker.fail(path, n, f"the Arabic key {i + 1} is '{caption}'; {KEY_LIST_FILE} line {i + 1} "
                                      f"has '{key_list[i]}'")


def unknown_words(words):
    """The words the Arabic hunspell dictionary does not know, or None without hunspell."""
    if not shutil.which("hunspell"):
        return None
    run = subprocess.run(["hunspell", "-d", "ar", "-l", "-i", "utf-8"], input="\n".join(sorted(words)),
                         capture_output=True, text=True, encoding="utf-8")
    if run.returncode != 0 or "Can't open" in run.stderr:
        return None
    return set(run.stdout.split())


def print_figures(rows):
    print("lesson  characters  real words (practice 1)  new keys (practice 3)  typeable after")
    for r in rows:
        real = f"{r['real']:.0%}" if "real" in r else "-"
        new = f"{r['new']:.0%}" if "new" in r else "-"
        print(f"{r['lesson']:>6}  {r['chars']:>10}  {real:>23}  {new:>21}  {r['typeable']:>14.0%}")


def parse_character_line(line):
    """(call, arguments) of one character line, as the tutor's host reads it, or ValueError."""
    m = re.match(r"[A-Za-z0-9_]+\.([A-Za-z0-9_]*)", line)
    if not m:
        raise ValueError("not a call of the form Name.Call")
    call, rest = m.group(1), line[m.end():]
    if rest and rest[0] not in " \t":
        raise ValueError("the call's name must be followed by a blank")
    rest = rest.strip(" \t")
    if call in ("Show", "Hide"):
        if rest:
            raise ValueError("takes no arguments")
        return call, []
    if call == "MoveTo":
        m = re.fullmatch(r"([+-]?[0-9]+)[ \t]*,[ \t]*([+-]?[0-9]+)", rest)
        if not m or any(abs(int(v)) > 1000000 for v in m.groups()):
            raise ValueError("needs two whole numbers, x and y, separated by a comma")
        return call, [int(m.group(1)), int(m.group(2))]
    if call == "Play":
        m = re.fullmatch(r'"([^"]+)"', rest)
        if not m:
            raise ValueError("needs the animation's name in quotes")
        return call, [m.group(1)]
    if call == "Speak":
        m = re.fullmatch(r'"([^"]*)"(?:[ \t]*,[ \t]*"([^"]*)")?', rest)
        if not m:
            raise ValueError("needs the words in quotes, and the sound file in quotes after a comma")
        return call, [g for g in m.groups() if g is not None]
    raise ValueError("unknown call")


def wrapped_lines(lines, width=SURFACE_CHARS):
    """Lines a word-wrapping control of `width` characters shows for these lines."""
    total = 0
    for line in lines:
        count, used = 1, 0
        for word in line.split(" "):
            size = len(word)
            if used and used + 1 + size > width:
                count, used = count + 1, 0
            used = size if not used else used + 1 + size
            while used > width:
                count, used = count + 1, used - width
        total += count
    return total


def wave_problem(raw, small):
    """What is wrong with a RIFF/WAVE PCM file, or None."""
    if len(raw) < 12 or raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        return "not a RIFF/WAVE file"
    if struct.unpack("<I", raw[4:8])[0] != len(raw) - 8:
        return "RIFF size does not match the file size"
    pos, fmt, data = 12, None, None
    while pos + 8 <= len(raw):
        cid, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        body = raw[pos + 8:pos + 8 + size]
        if len(body) < size:
            return f"chunk {cid.decode('latin-1')!r} runs past the end of the file"
        if cid == b"fmt ":
            fmt = body
        elif cid == b"data":
            data = body
        pos += 8 + size + (size & 1)
    if fmt is None or len(fmt) < 16:
        return "no format chunk"
    if data is None:
        return "no data chunk"
    tag, channels, rate, _, align, bits = struct.unpack("<HHIIHH", fmt[:16])
    if tag != 1 or bits not in (8, 16) or channels not in (1, 2) or align != channels * bits // 8:
        return f"not 8- or 16-bit PCM (format {tag}, {channels} channels, {bits} bits)"
    if small and (channels != 1 or rate > 22050 or bits != 16):
        return f"{channels} channels of {bits} bits at {rate} Hz; our sounds are mono 16-bit at 22050 Hz or less"
    if not data:
        return "no samples"
    return None


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("data")
    parser.add_argument("--lessons", default=LESSONS_FILE)
    parser.add_argument("--figures", action="store_true", help="print the course's figures per lesson")
    args = parser.parse_args(argv)
    checker = Checker(args.data, args.lessons)
    errors = checker.run()
    if args.figures:
        print_figures(checker.figures)
    for e in errors:
        print(e)
    if errors:
        print(f"{len(errors)} fault(s) in {args.data}")
        return 1
    print(f"{args.data}: data tree is sound")
    return 0


if __name__ == "__main__":
    sys.exit(main())
