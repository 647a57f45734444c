#!/usr/bin/env python3
"""Writes the assistant character's pages, one for each screen that plays one, with Zarek's story
in both interface languages, and the sounds of his words (espeak-ng, as the course's sounds).

    python3 tools/make_assistant.py [data-folder] [--pages-only]

A page keeps the story as character lines in a script element that no engine runs, with the id
"Character" and the language's letter; the tutor fits their ".MoveTo x, y" calls to the calling
screen. Where the browser has an engine, the page's own script below reads the lines of the
interface language and plays them through window.external; without one the tutor's host reads
them itself. The pages are code page 1256 with CR LF line ends. The results are committed."""
import argparse
import html
import os
import sys
import tempfile

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course.assistant import PAGES, STORIES, TITLES, layout_point, sound_name, sounds  # noqa: E402

SOUND_RATE = "11025"   # forty files of a few seconds: speech needs no more

# The first script block of a page goes into the view's blank page as well, and its backslashes
# are turned into slashes: so it holds none, and it plays nothing unless the page's body calls it.
PLAYER = """<script type="text/javascript">
function trimmed(s) {
  var a = 0, b = s.length;
  while (a < b && s.charCodeAt(a) <= 32) a++;
  while (b > a && s.charCodeAt(b - 1) <= 32) b--;
  return s.substring(a, b);
}
function quotedTexts(s) {
  var out = [], q = String.fromCharCode(34), a = s.indexOf(q);
  while (a >= 0) {
    var b = s.indexOf(q, a + 1);
    if (b < 0) return null;
    out.push(s.substring(a + 1, b));
    a = s.indexOf(q, b + 1);
  }
  return out;
}
function readCall(line) {
  var dot = line.indexOf("."), blank = line.indexOf(" ");
  if (dot < 1) return null;
  var name = blank < 0 ? line.substring(dot + 1) : line.substring(dot + 1, blank);
  var args = blank < 0 ? "" : trimmed(line.substring(blank + 1));
  if (name == "Show" || name == "Hide") return args == "" ? { name: name, args: [] } : null;
  if (name == "MoveTo") {
    var xy = args.split(",");
    if (xy.length != 2) return null;
    var x = parseInt(trimmed(xy[0]), 10), y = parseInt(trimmed(xy[1]), 10);
    return isNaN(x) || isNaN(y) ? null : { name: name, args: [x, y] };
  }
  var texts = quotedTexts(args);
  if (texts == null) return null;
  if (name == "Play" && texts.length == 1) return { name: name, args: texts };
  if (name == "Speak" && (texts.length == 1 || texts.length == 2)) return { name: name, args: texts };
  return null;
}
function playCharacter() {
  var host = window.external;
  var block = document.getElementById("Character" + host.Language);
  if (block == null) return;
  var lines = block.text.split(String.fromCharCode(10)), calls = [];
  for (var i = 0; i < lines.length; i++) {
    var line = trimmed(lines[i]);
    if (line == "") continue;
    var call = readCall(line);
    if (call == null) return;
    calls.push(call);
  }
  for (var k = 0; k < calls.length; k++) {
    var c = calls[k];
    if (c.name == "Show") host.Show();
    else if (c.name == "Hide") host.Hide();
    else if (c.name == "MoveTo") host.MoveTo(c.args[0], c.args[1]);
    else if (c.name == "Play") host.Play(c.args[0]);
    else if (c.args.length == 2) host.Speak(c.args[0], c.args[1]);
    else host.Speak(c.args[0]);
  }
}
</script>"""


def story_lines(stem, language, screen):
    (x, y), point, first, second = STORIES[stem][language]
    lx, ly = layout_point((x, y), screen)
    return [
        f"Zarek.MoveTo {lx}, {ly}",
        "Zarek.Show",
        'Zarek.Play "Wave"',
        f'Zarek.Speak "{first}", "{sound_name(stem, language, 1)}"',
        f'Zarek.Play "{point}"',
        f'Zarek.Speak "{second}", "{sound_name(stem, language, 2)}"',
        "Zarek.Hide",
    ]


def page_lines(page):
    stem, screen = PAGES[page]
    arabic_title, english_title = TITLES[stem]
    lines = ["<html>", "<head>",
             '<meta http-equiv="Content-Type" content="text/html; charset=windows-1256">',
             f"<title>{html.escape(english_title)}</title>"]
    lines += PLAYER.split("\n")
    for language in ("A", "E"):
        lines.append(f'<script type="text/x-character" id="Character{language}">')
        lines += story_lines(stem, language, screen)
        lines.append("</script>")
    lines += ["</head>", '<body onload="playCharacter()">']
    for language, title in (("A", arabic_title), ("E", english_title)):
        _, _, first, second = STORIES[stem][language]
        attributes = 'dir="rtl" lang="ar"' if language == "A" else 'dir="ltr" lang="en"'
        lines += [f"<div {attributes}>", f"<h2>{html.escape(title)}</h2>",
                  f"<p>{html.escape(first)} {html.escape(second)}</p>", "</div>"]
    lines += ["</body>", "</html>"]
    return lines


def write_pages(data):
    folder = os.path.join(data, "Agent", "Html")
    os.makedirs(folder, exist_ok=True)
    for page in PAGES:
        with open(os.path.join(folder, page), "wb") as f:
            f.write("".join(line + "\r\n" for line in page_lines(page)).encode("cp1256"))


def write_sounds(data):
    from make_sounds import speak   # espeak-ng and sox, only when sounds are made
    folder = os.path.join(data, "Agent", "wave caracter")
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, (voice, words) in sounds().items():
            speak(voice, words, os.path.join(folder, name), SOUND_RATE, work)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("data", nargs="?", default=os.path.join(os.path.dirname(__file__), "..", "data"))
    parser.add_argument("--pages-only", action="store_true")
    args = parser.parse_args()
    write_pages(args.data)
    if not args.pages_only:
        write_sounds(args.data)


if __name__ == "__main__":
    main()
