#!/usr/bin/env python3
"""Tests of check_help.py on small help folders compiled here with chmcmd."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_help  # noqa: E402

PAGE = ('<html><head><meta http-equiv="Content-Type" content="text/html; charset=%s">'
        '<title>%s</title></head><body><p>%s</p>%s</body></html>\n')
TOC = ('<html><body><ul>%s</ul></body></html>\n')
ITEM = '<li><object type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="%s"></object>\n'


def write(path, text, encoding="cp1252"):
    with open(path, "wb") as f:
        f.write(text.encode(encoding))


def make_source(folder, arabic=False):
    """index.htm and second.htm, listed in the contents and the index."""
    os.makedirs(folder)
    charset, encoding = ("windows-1256", "cp1256") if arabic else ("windows-1252", "cp1252")
    body = "مرحبا" if arabic else "Hello"
    write(os.path.join(folder, "index.htm"),
          PAGE % (charset, "Start", body, '<a href="second.htm">next</a>'), encoding)
    write(os.path.join(folder, "second.htm"), PAGE % (charset, "Second", body, ""), encoding)
    items = ITEM % ("Start", "index.htm") + ITEM % ("Second", "second.htm")
    write(os.path.join(folder, "toc.hhc"), TOC % items)
    write(os.path.join(folder, "index.hhk"), TOC % items)


def compile_chm(folder, chm):
    pages = sorted(n for n in os.listdir(folder) if not n.endswith((".hhc", ".hhk")))
    project = os.path.join(folder, "t.hhp")
    write(project, "[OPTIONS]\r\nCompiled file=t.chm\r\nContents file=toc.hhc\r\n"
          "Index file=index.hhk\r\nDefault topic=index.htm\r\n\r\n[FILES]\r\n"
          + "".join(p + "\r\n" for p in pages))
    subprocess.run(["chmcmd", "t.hhp"], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shutil.move(os.path.join(folder, "t.chm"), chm)
    os.remove(project)


@unittest.skipUnless(shutil.which("chmcmd"), "chmcmd (fp-utils) is not installed")
class CompiledHelpTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.src = os.path.join(self.tmp, "en")
        self.chm = os.path.join(self.tmp, "HelpE.chm")
        make_source(self.src)
        compile_chm(self.src, self.chm)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def faults(self):
        return "\n".join(check_help.check_pair(self.chm, self.src))

    def test_freshly_compiled_help_passes(self):
        self.assertEqual(self.faults(), "")
        names = check_help.chm_directory(self.chm)
        self.assertIn("/index.htm", names)
        self.assertIn("/second.htm", names)

    def test_source_changes_after_compiling_are_caught(self):
        cases = [
            ("page added", lambda: shutil.copy(os.path.join(self.src, "second.htm"),
                                               os.path.join(self.src, "third.html")),
             "page third.html"),
            ("page edited", lambda: write(os.path.join(self.src, "second.htm"),
                                          PAGE % ("windows-1252", "Second", "Hello again", "")),
             "second.htm holds"),
            ("page removed", lambda: os.remove(os.path.join(self.src, "second.htm")),
             "holds second.htm, which"),
        ]
        for label, change, expected in cases:
            with self.subTest(label):
                shutil.rmtree(self.src)
                make_source(self.src)
                change()
                self.assertIn(expected, self.faults())

    def test_damaged_files_are_reported_not_raised(self):
        with open(self.chm, "rb") as f:
            good = f.read()
        dir_offset, dir_length = struct.unpack_from("<QQ", good, 0x48)
        damaged = {
            "empty": b"",
            "cabinet signature": b"MSCF" + good[4:],
            "header only": good[:0x60],
            "directory cut": good[:dir_offset + 0x60],
        }
        # Every byte of the directory header and of its first chunk overwritten in turn.
        for pos in range(dir_offset, min(dir_offset + 0x54 + 0x100, len(good))):
            data = bytearray(good)
            data[pos] ^= 0xFF
            damaged["byte %d" % pos] = bytes(data)
        for label, data in damaged.items():
            with self.subTest(label):
                with open(self.chm, "wb") as f:
                    f.write(data)
                faults = check_help.check_pair(self.chm, self.src)
                self.assertIsInstance(faults, list)
        for label in ("empty", "cabinet signature"):
            with open(self.chm, "wb") as f:
                f.write(damaged[label])
            self.assertIn("not b'ITSF'", self.faults())

    def test_missing_file_is_a_fault(self):
        os.remove(self.chm)
        self.assertIn("cannot be read", self.faults())


class SourceTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_arabic_pages_must_be_code_page_1256_and_say_so(self):
        src = os.path.join(self.tmp, "ar")
        make_source(src, arabic=True)
        self.assertEqual(check_help.check_sources(src, True), [])
        page = os.path.join(src, "second.htm")
        cases = [
            ("saved as UTF-8", PAGE % ("windows-1256", "x", "مرحبا", ""), "utf-8", "is UTF-8"),
            ("no charset", "<html><head><title>x</title></head><body>مرحبا</body></html>",
             "cp1256", "declares charset None"),
            ("other charset", PAGE % ("utf-8", "x", "مرحبا", ""), "cp1256", "declares charset utf-8"),
        ]
        for label, text, encoding, expected in cases:
            with self.subTest(label):
                write(page, text, encoding)
                self.assertIn(expected, "\n".join(check_help.check_sources(src, True)))

    def test_contents_and_links_must_reach_every_page(self):
        src = os.path.join(self.tmp, "en")
        make_source(src)
        write(os.path.join(src, "lost.htm"), PAGE % ("windows-1252", "Lost", "x",
                                                     '<a href="gone.htm#top">x</a>'
                                                     '<a href="http://example.com/">y</a>'))
        faults = "\n".join(check_help.check_sources(src, False))
        self.assertIn("lost.htm is not in the table of contents", faults)
        self.assertIn("links to missing gone.htm", faults)
        self.assertNotIn("example.com", faults)


if __name__ == "__main__":
    unittest.main()
