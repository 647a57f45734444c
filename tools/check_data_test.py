#!/usr/bin/env python3
"""The data checker finds, in a broken copy of the shipped tree, each fault and names its
file and line. Also: the committed course is what the generator writes.

    python3 tools/check_data_test.py <data-folder>"""
import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, TOOLS)
from check_data import Checker, read_bytes  # noqa: E402
from course import figures  # noqa: E402
from course.lessons import LESSONS_FILE  # noqa: E402

DATA = None


def write_bytes(path, raw):
    with open(path, "wb") as f:
        f.write(raw)


def edit(path, change):
    raw = read_bytes(path)
    write_bytes(path, change(raw))


def cp(text):
    return text.encode("cp1256")


class BrokenCopy(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="tapwise-data-")
        self.data = os.path.join(self.tmp, "data")
        shutil.copytree(DATA, self.data)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def errors(self):
        return Checker(self.data, LESSONS_FILE).run()

    def path(self, rel):
        return os.path.join(self.data, *rel.split("/"))

    def test_shipped_copy_is_sound(self):
        self.assertEqual(self.errors(), [])

    def test_untaught_key_and_page_comma(self):
        practice = self.path("ALess/Qless3_2.txt")
        lines = read_bytes(practice).count(b"\r\n")
        edit(practice, lambda raw: raw + cp("ظل بيت\r\n"))
        edit(self.path("ALess/ALess5.txt"),
             lambda raw: raw.replace(b"<b>", b"<b>1,2 ", 1))
        self.assertEqual(sorted(self.errors()), [
            "ALess/ALess5.txt:2: stray comma: 4 fields where the header has 3 (use the Arabic comma or &#44;)",
            f"ALess/Qless3_2.txt:{lines + 1}: uses 'ظ' (U+0638), not taught until lesson 16",
        ])

    def test_each_fault_names_file_and_line(self):
        cases = [
            ("ALess/Qless7_1.txt", lambda raw: raw.replace(b"\r\n", b"\n"), ":1: line end is not CR LF"),
            ("ALess/Qless7_1.txt", lambda raw: raw.decode("cp1256").encode("utf-8"),
             ":1: is UTF-8 text; the tutor reads code page 1256"),
            ("ALess/Qless7_1.txt", lambda raw: raw[:-2], "last line does not end with CR LF"),
            ("ALess/Qless7_3.txt", lambda raw: b"\r\n" + raw, ":1: blank line"),
            ("ALess/Qless2_1.txt", lambda raw: raw + cp("بيت%\r\n"), "uses '%' (U+0025), not taught until lesson 23"),
            ("ALess/Qless2_1.txt", lambda raw: raw + cp("«بيت»\r\n"), "uses '«' (U+00AB), not taught by the course"),
            ("ALess/Qless9_2.txt", lambda raw: raw * 60, "lines once wrapped; the surface holds 120"),
            ("ALess/ALess9.txt", lambda raw: raw.replace(b"<b>", b"<b>" + b"x" * 1000, 1),
             ":2: 1"),
            ("ALess/ALess9.txt", lambda raw: raw.replace(b"char,data", b"key,data"), ":1: header must be char,data,PicNo"),
            ("ALess/ALess9.txt", lambda raw: raw + b"\r\n", "empty line (an empty page)"),
            ("ASpeedText/Text.txt", lambda raw: raw + cp("لا يوجد\r\n"), "no text file for the name 'لا يوجد'"),
            ("EMinutes.txt", lambda raw: raw + b"9 minutes\r\n", "needs 8 duration labels"),
            ("effects/Tick.wav", lambda raw: raw[:40], "effects/Tick.wav:0: "),
            ("ASnd/ب.wav", lambda raw: b"RIFX" + raw[4:], "ASnd/ب.wav:0: not a RIFF/WAVE file"),
        ]
        for rel, change, expected in cases:
            with self.subTest(file=rel, expected=expected):
                target = self.path(rel)
                original = read_bytes(target)
                edit(target, change)
                errors = self.errors()
                write_bytes(target, original)
                self.assertTrue(errors, "no fault reported")
                self.assertTrue(all(e.startswith(rel + ":") for e in errors), errors)
                self.assertTrue(any(expected in e for e in errors), errors)

    def test_pages_use_only_what_the_page_renderer_shows(self):
        edit(self.path("ALess/ALess3.txt"), lambda raw: raw.replace(b"<center>", b"<marquee>", 1))
        edit(self.path("help/en/options.htm"), lambda raw: raw.replace(b"<p>", b"<p style=\"position:absolute\">", 1))
        edit(self.path("help/ar/help.css"), lambda raw: raw + b".x { float: left; }\r\n")
        edit(self.path("help/en/index.htm"), lambda raw: raw.replace(b"<body>", b"<body><!-- <blink> --><script>a<b</script>", 1))
        errors = sorted(self.errors())
        self.assertEqual(len(errors), 3, errors)
        self.assertTrue(errors[0].startswith("ALess/ALess3.txt:2: tag 'marquee'"), errors)
        self.assertTrue(errors[1].startswith("help/ar/help.css:") and "'float'" in errors[1], errors)
        self.assertTrue(errors[2].startswith("help/en/options.htm:") and "'position'" in errors[2], errors)

    def test_wrong_instructions(self):
        """A page that names a key wrongly, or teaches marks in another order than the practices
        hold, has the learner judged wrong for obeying it."""
        shadda = figures.typed_order("سُكَّرٌ")
        vowel_first = shadda[:3] + shadda[4] + shadda[3] + shadda[5:]

        def swap_first_shadda(raw):
            text = raw.decode("cp1256")
            i = text.index(figures.SHADDA)
            return cp(text[:i] + text[i + 1] + figures.SHADDA + text[i + 2:])
        cases = [
            ("ALess/ALess9.txt", lambda raw: raw.replace(cp("«أ» (Shift+H\u200e)"), cp("«أ» (Shift+T\u200e)"), 1),
             "ALess/ALess9.txt:", "says 'أ' is Shift+T; it is Shift+H"),
            ("ALess/ALess4.txt", lambda raw: raw.replace(cp("<td class=n>ط</td><td class=k>'</td>"),
                                                         cp("<td class=n>ط</td><td class=k>Shift+T</td>")),
             "ALess/ALess4.txt:2:", "says 'ط' is Shift+T; it is '"),
            ("ALess/ALess17.txt", lambda raw: raw.replace(cp("«لإ» (Shift+T\u200e)"), cp("Shift+T")),
             "ALess/ALess17.txt:5:", "names Shift+T without the character it types"),
            ("ALess/ALess20.txt", lambda raw: raw.replace(cp("ـّ + ـَ"), cp("ـَ + ـّ")),
             "ALess/ALess20.txt:6:", f"the keystrokes shown do not type «{shadda}»"),
            ("ALess/ALess20.txt", lambda raw: raw.replace(cp("ـّ + ـَ"), cp("ـَ + ـّ"))
             .replace(cp(f"«{shadda}»"), cp(f"«{vowel_first}»")),
             "ALess/Qless20_1.txt:", "types the shadda before the fatha; ALess/ALess20.txt:6 teaches the fatha first"),
            ("ALess/Qless20_3.txt", swap_first_shadda,
             "ALess/Qless20_3.txt:", "before the shadda; ALess/ALess20.txt:6 teaches the shadda first"),
        ]
        for rel, change, where, expected in cases:
            with self.subTest(file=rel, expected=expected):
                target = self.path(rel)
                original = read_bytes(target)
                edit(target, change)
                self.assertNotEqual(read_bytes(target), original, "the case changes nothing")
                errors = self.errors()
                write_bytes(target, original)
                self.assertTrue(any(e.startswith(where) and expected in e for e in errors), errors)

    def test_course_figures(self):
        """Too little practice, pseudo-words, new keys left out of practice 3 and late frequent
        letters are each a fault of the lesson list."""
        lessons = os.path.join(self.tmp, "lessons.txt")
        with open(LESSONS_FILE, encoding="utf-8") as f:
            text = f.read()
        # waw taught last: after lesson 10 most words of ordinary prose cannot be typed
        with open(lessons, "w", encoding="utf-8") as f:
            f.write(text.replace("5\tو ر\t", "5\tر\t").replace("18\tآ ـ\t", "18\tآ ـ و\t"))
        late_waw = [e for e in Checker(self.data, lessons).run() if e.startswith("ALessons.txt:10:")]
        self.assertTrue(any("after lesson 10 a learner types" in e for e in late_waw), late_waw)
        cases = [
            ("ALess/Qless6_3.txt", lambda raw: raw[:raw.index(b"\r\n") + 2],
             "lesson 6 has", "characters of practice; a key lesson has at least 750"),
            ("ALess/Qless8_3.txt", lambda raw: raw + cp("سالم يكتب كتابا\r\n") * 40,
             "lesson 8: its new keys are", "of practice 3; at least 12%"),
            ("ALess/Qless7_1.txt", lambda raw: cp("ددد ةةة دةد ةدة\r\n") * 12 + raw,
             "lesson 7:", "of practice 1 are real words; at least 90%"),
        ]
        for rel, change, start, expected in cases:
            with self.subTest(file=rel):
                target = self.path(rel)
                original = read_bytes(target)
                edit(target, change)
                errors = self.errors()
                write_bytes(target, original)
                self.assertTrue(any(e.startswith("ALessons.txt:") and start in e and expected in e
                                    for e in errors), errors)

    def test_missing_files_are_named(self):
        os.remove(self.path("ALess/Qless30_3.txt"))
        os.remove(self.path("ASnd/ت.wav"))
        os.remove(self.path("effects/WellDone.wav"))
        errors = self.errors()
        self.assertIn("ALess/Qless30_3.txt:0: file is missing", errors)
        self.assertTrue(any(e.startswith("ALess/ALess1.txt:") and "ASnd/ت.wav is missing" in e for e in errors))
        self.assertIn("effects/WellDone.wav:0: sound effect is missing", errors)

    def test_assistant_page_faults_name_page_and_line(self):
        page = "Agent/Html/Class.htm"
        raw = read_bytes(self.path(page))
        lines = raw.split(b"\r\n")
        first_move = next(i for i, line in enumerate(lines, 1) if line.startswith(b"Zarek.MoveTo "))
        first_play = next(i for i, line in enumerate(lines, 1) if line.startswith(b"Zarek.Play "))
        player = next(i for i, line in enumerate(lines, 1) if line.startswith(b"<script"))
        cases = [
            (lambda r: re.sub(rb"Zarek[.]MoveTo [^\r]*", b"Zarek.MoveTo 600", r, count=1),
             f":{first_move}: needs two whole numbers"),
            (lambda r: r.replace(b"Zarek.MoveTo ", b"Zarek.MoveTo", 1), f":{first_move}: the call's name must be"),
            (lambda r: r.replace(b'Zarek.Play "Wave"', b'Zarek.Play "Dance"', 1),
             f":{first_play}: the character has no animation Dance"),
            (lambda r: r.replace(b"Zarek.Hide", b"Zarek.Vanish", 1), "unknown call"),
            (lambda r: r.replace(b"Read the lesson", b"Read the <b>lesson", 1), "holds '<', which the page view rewrites"),
            (lambda r: r.replace(b'type="text/x-character" id="CharacterE"', b'id="CharacterE"', 1),
             'character lines need type="text/x-character"'),
            (lambda r: r.replace(b'id="CharacterA"', b'id="Character"', 1), ":1: no script element with the id CharacterA"),
            (lambda r: r.replace(b"String.fromCharCode(34)", b"'\\x22'", 1),
             f":{player}: the first script block holds a backslash"),
            (lambda r: r.replace(b"<body", b"<p>Zarek.MoveTo 1, 2</p>\r\n<body", 1), "'.MoveTo ' outside the character lines"),
        ]
        for change, expected in cases:
            with self.subTest(expected=expected):
                write_bytes(self.path(page), change(raw))
                errors = self.errors()
                write_bytes(self.path(page), raw)
                self.assertTrue(any(e.startswith(page + ":") and expected in e for e in errors), errors)

    def test_assistant_files_missing_or_unused_are_named(self):
        os.remove(self.path("Agent/Html/Games.htm"))
        os.remove(self.path("Agent/wave caracter/menu-A-2.wav"))
        write_bytes(self.path("Agent/wave caracter/extra.wav"), read_bytes(self.path("Agent/wave caracter/menu-E-2.wav")))
        edit(self.path("Agent/Character/Zarek.ini"), lambda raw: raw.replace(b"Speak=", b"Talk="))
        errors = self.errors()
        self.assertIn("Agent/Html/Games.htm:0: file is missing", errors)
        self.assertTrue(any(e.startswith("Agent/Html/zarek entr class.htm:") and
                            "sound Agent/wave caracter/menu-A-2.wav is missing" in e for e in errors), errors)
        self.assertIn("Agent/wave caracter/extra.wav:0: no page says this sound", errors)
        self.assertIn("Agent/Character/Zarek.ini:0: needs the animation Speak", errors)

    def test_keyboard_faults_name_file_and_line(self):
        labels = "embedded/results/KeyLabels.txt"
        raw = read_bytes(self.path(labels))
        cases = [
            (lambda r: r.replace(cp("\tkey\tض\t"), cp("\tkey\tص\t"), 1),
             ":15: the Arabic key 14 is 'ص'; Akeys.txt line 14 has 'ض'"),
            (lambda r: r.replace(b"\tkey\t1\t43\t19\t28\t28", b"\tkey\t1\t43\t19\t28", 1), ":3: 6 fields"),
            (lambda r: r.replace(b"\tkey\t1\t43\t19\t28\t28", b"\tkey\t1\t543\t19\t28\t28", 1),
             ":3: 543,19 28x28 lies outside the picture (522, 242)"),
            (lambda r: r.replace(b"\tkey\t1\t43\t19\t28\t28", b"\tkey\t\t43\t19\t28\t28", 1),
             ":3: a key's label needs its caption"),
            (lambda r: r.replace(b"KeysPanelAr2\tShiftR", b"KeysPanelAr2\tShiftX", 1), "unknown kind ShiftX"),
            (lambda r: r.replace(b"KeysPanelAr2\tShiftR", b"KeysPanelAr2\tShiftX", 1), "KeysPanelAr2 has no ShiftR line"),
            (lambda r: b"\r\n".join(line for line in r.split(b"\r\n") if b"\tkey\t=\t" not in line),
             "KeysPanelAr has 46 key labels; a keyboard has 47"),
            (lambda r: r.replace(b"\r\n", b"\n"), ":1: lines must end with CR LF"),
        ]
        for change, expected in cases:
            with self.subTest(expected=expected):
                write_bytes(self.path(labels), change(raw))
                errors = self.errors()
                write_bytes(self.path(labels), raw)
                self.assertTrue(any(e.startswith(labels + ":") and expected in e for e in errors), errors)
        os.remove(self.path("embedded/results/KeysEn2.jpg"))
        write_bytes(self.path("embedded/results/KeysAr.jpg"), b"BM not a jpeg")
        errors = self.errors()
        self.assertIn("embedded/results/KeysEn2.jpg:0: keyboard picture is missing", errors)
        self.assertIn("embedded/results/KeysAr.jpg:0: is no JPEG picture", errors)

    def test_command_line_exit_status(self):
        edit(self.path("ALess/Qless1_1.txt"), lambda raw: raw + cp("سمك\r\n"))
        run = subprocess.run([sys.executable, os.path.join(TOOLS, "check_data.py"), self.data],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertIn("ALess/Qless1_1.txt:", run.stdout)


class Generated(unittest.TestCase):
    def test_committed_texts_are_what_the_generator_writes(self):
        with tempfile.TemporaryDirectory(prefix="tapwise-course-") as out:
            subprocess.run([sys.executable, os.path.join(TOOLS, "make_course.py"), out], check=True)
            subprocess.run([sys.executable, os.path.join(TOOLS, "make_assistant.py"), out, "--pages-only"], check=True)
            for root, _, files in os.walk(out):
                for f in files:
                    made = os.path.join(root, f)
                    shipped = os.path.join(DATA, os.path.relpath(made, out))
                    with self.subTest(file=os.path.relpath(made, out)):
                        self.assertTrue(os.path.isfile(shipped) and filecmp.cmp(made, shipped, shallow=False),
                                        "run tools/make_course.py and commit the result")


    def test_committed_key_labels_are_what_the_generator_writes(self):
        with tempfile.TemporaryDirectory(prefix="tapwise-keys-") as out:
            subprocess.run([sys.executable, os.path.join(TOOLS, "make_keyboards.py"), out, "--labels-only"], check=True)
            made = os.path.join(out, "embedded", "results", "KeyLabels.txt")
            self.assertTrue(filecmp.cmp(made, os.path.join(DATA, "embedded", "results", "KeyLabels.txt"), shallow=False),
                            "run tools/make_keyboards.py and commit the result")

    def test_keyboard_layout_agrees_with_the_course_tables(self):
        from course import keyboard
        for row, keys in keyboard.ROW_KEYS.items():
            for i, (key, char) in enumerate(keys):
                us, _, arabic, _ = keyboard.LAYOUT_ROWS[row][i]
                self.assertEqual((us.upper(), arabic), (key, char))
        for char, key in keyboard.SHIFTED.items():
            with self.subTest(char=char):
                found = [k for row in keyboard.LAYOUT_ROWS for k in row if k[3] == char]
                self.assertEqual(len(found), 1)
                self.assertEqual(found[0][0].upper(), key)


if __name__ == "__main__":
    DATA = os.path.abspath(sys.argv.pop(1))
    unittest.main()
