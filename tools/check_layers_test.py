#!/usr/bin/env python3
"""The layer check passes the source tree as it stands and names each include that reaches up,
planted into a copy of the tree.

    python3 tools/check_layers_test.py <source-root>"""
import os
import shutil
import sys
import tempfile
import unittest

TOOLS = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, TOOLS)
from check_layers import LAYERS, check  # noqa: E402

ROOT = None


class Layers(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="tapwise-layers-")
        for folder in LAYERS:
            src = os.path.join(ROOT, folder)
            if os.path.isdir(src):
                shutil.copytree(src, os.path.join(self.tmp, folder),
                                ignore=shutil.ignore_patterns("testdata", "*.txt", "*.ini"))
        shutil.copytree(os.path.join(ROOT, "platform", "testing"), os.path.join(self.tmp, "platform", "testing"))

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def plant(self, rel, line):
        path = os.path.join(self.tmp, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "a", encoding="utf-8") as f:
            f.write(line + "\n")
        with open(path, encoding="utf-8") as f:
            return sum(1 for _ in f)

    def test_the_tree_has_no_upward_include(self):
        self.assertEqual(check(ROOT), [])
        self.assertEqual(check(self.tmp), [])

    def test_each_planted_include_is_named_with_its_file_and_line(self):
        cases = [
            # (file, planted line, expected message without "file:line: ")
            ("platform/graphics/Canvas.cpp", '#include "platform/ui/Forms.h"',
             "platform/graphics may not include platform/ui/Forms.h (platform/ui is not below it)"),
            ("platform/rtl/String.cpp", '#include "platform/win/OleError.h"',
             "platform/rtl may not include platform/win/OleError.h (platform/win is not below it)"),
            ("platform/xml/XMLDocument.cpp", '#include "../web/WebBrowser.h"',
             "platform/xml may not include platform/web/WebBrowser.h (platform/web is not below it)"),
            ("memdata/MemData.cpp", '#include "platform/ui/Forms.h"',
             "memdata may not include platform/ui/Forms.h (platform/ui is not below it)"),
            ("controls/CoolUtils.cpp", '#include "tutor/menu/MainUnit.h"',
             "controls may not include tutor/menu/MainUnit.h (tutor is not below it)"),
            ("platform/ui/Label.cpp", '#include "platform/testing/TestSupport.h"',
             "test support platform/testing/TestSupport.h outside test code"),
            ("platform/graphics/Font.cpp", '#include "platform/ui/testing/ShownForm.h"',
             "test support platform/ui/testing/ShownForm.h outside test code"),
            ("platform/ui/Label_test.cpp", '#include "platform/web/WebBrowser.h"',
             "platform/ui may not include platform/web/WebBrowser.h (platform/web is not below it)"),
        ]
        expected = []
        for rel, line, message in cases:
            self.assertTrue(os.path.exists(os.path.join(self.tmp, rel)), rel)
            number = self.plant(rel, line)
            expected.append(f"{rel}:{number}: {message}")
        self.assertEqual(sorted(check(self.tmp)), sorted(expected))

    def test_test_code_uses_the_test_support_of_its_own_and_lower_layers(self):
        self.plant("platform/ui/Extra_test.cpp", '#include "platform/testing/TestSupport.h"')
        self.plant("platform/ui/Extra_test.cpp", '#include "platform/ui/testing/ShownForm.h"')
        self.plant("tutor/Extra_test.cpp", '#include "memdata/testing/Extra.h"')
        self.plant("platform/testing/Extra.cpp", '#include "platform/web/WebBrowser.h"')
        self.assertEqual(check(self.tmp), [])


if __name__ == "__main__":
    ROOT = sys.argv.pop(1)
    unittest.main()
