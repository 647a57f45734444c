#!/usr/bin/env python3
"""The assistant pages' own script, as a browser with a script engine runs it: Wine's script host
runs each shipped page's player over the page's character lines in both languages, with a
stand-in for window.external, and the calls it makes are the lines as the tutor's host reads
them. A block with a malformed line makes no call at all.

    python3 tools/assistant_script_test.py <data-folder> <wine-loader>"""
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_data import AGENT_LANGUAGES, AGENT_PAGES, parse_character_line  # noqa: E402

DATA = WINE = None

HOST = """
var calls = [];
function ascii(s) {
  var out = "";
  for (var i = 0; i < s.length; i++) {
    var c = s.charCodeAt(i);
    out += c < 127 ? s.charAt(i) : "\\\\u" + ("000" + c.toString(16)).slice(-4);
  }
  return out;
}
var host = {
  Language: "",
  Show: function () { calls.push("Show"); },
  Hide: function () { calls.push("Hide"); },
  MoveTo: function (x, y) { calls.push("MoveTo " + x + " " + y); },
  Play: function (a) { calls.push("Play " + ascii(a)); },
  Speak: function (t, s) { calls.push("Speak " + ascii(t) + (s === undefined ? "" : "|" + ascii(s))); }
};
var window = { external: host };
var blocks = {};
var document = { getElementById: function (id) { return blocks[id] === undefined ? null : { text: blocks[id] }; } };
function run(language, text) {
  calls = [];
  host.Language = language;
  blocks = {};
  if (text !== null) blocks["Character" + language] = text;
  playCharacter();
  WScript.Echo(calls.length == 0 ? "(none)" : calls.join(" ; "));
}
"""


def ascii_text(s):
    return "".join(c if ord(c) < 127 else "\\u%04x" % ord(c) for c in s)


def expected_calls(block):
    calls = []
    for line in block.split("\n"):
        line = line.strip(" \t\r")
        if not line:
            continue
        try:
            call, args = parse_character_line(line)
        except ValueError:
            return "(none)"
        if call == "MoveTo":
            calls.append(f"MoveTo {args[0]} {args[1]}")
        elif call in ("Show", "Hide"):
            calls.append(call)
        else:
            calls.append(call + " " + "|".join(ascii_text(a) for a in args))
    return " ; ".join(calls) if calls else "(none)"


def read_page(name):
    with open(os.path.join(DATA, "Agent", "Html", name), "rb") as f:
        return f.read().decode("cp1256")


class PageScript(unittest.TestCase):
    def test_each_page_plays_its_lines_through_the_host(self):
        players, cases = set(), []
        for name in AGENT_PAGES:
            text = read_page(name)
            players.add(re.search(r"<script\b[^>]*>(.*?)</script>", text, re.S | re.I).group(1))
            for language in AGENT_LANGUAGES:
                block = re.search(rf'<script[^>]*id="Character{language}"[^>]*>(.*?)</script>', text, re.S).group(1)
                cases.append((f"{name} {language}", language, block))
        self.assertEqual(len(players), 1, "every page carries the same player")
        cases.append(("a malformed block", "E", 'Zarek.Show\r\nZarek.MoveTo 600\r\nZarek.Speak "x"\r\n'))
        cases.append(("no block", "X", None))
        script = players.pop() + HOST
        for _, language, block in cases:
            script += f"run({json.dumps(language)}, {json.dumps(block)});\n"
        with tempfile.TemporaryDirectory(prefix="tapwise-script-") as work:
            path = os.path.join(work, "pages.js")
            # plain ASCII: the texts go in as JSON escapes, which the script host reads in any code page
            with open(path, "w", encoding="ascii") as f:
                f.write(script)
            run = subprocess.run([WINE, "cscript", "//nologo", "Z:" + path.replace("/", "\\")],
                                 capture_output=True, text=True, timeout=120)
        got = [line.strip() for line in run.stdout.splitlines() if line.strip()]
        self.assertEqual(len(got), len(cases), run.stdout + run.stderr)
        for (what, language, block), line in zip(cases, got):
            with self.subTest(page=what):
                self.assertEqual(line, expected_calls(block) if block is not None else "(none)")
                if block is not None and what != "a malformed block":
                    self.assertNotEqual(line, "(none)")


if __name__ == "__main__":
    DATA = os.path.abspath(sys.argv.pop(1))
    WINE = sys.argv.pop(1)
    unittest.main()
