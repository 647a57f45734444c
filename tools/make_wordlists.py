#!/usr/bin/env python3
"""Makes the two word lists of the flying-words game from Debian's dictionary packages:

    English: SCOWL through wamerican-small (/usr/share/dict/american-english-small)
    Arabic:  the Arabic hunspell dictionary, hunspell-ar (/usr/share/hunspell/ar.dic),
             taken under its MPL 1.1 option

    apt-get install wamerican-small hunspell-ar
    python3 tools/make_wordlists.py [data-folder]

Writes data/embedded/words/ListWordsEn.txt and ListWordsAr.txt (code page 1256, CR LF, one
word a line, in alphabetical order), which the build compiles into Words.exe, and the notices
of both sources into data/games/Words/WordListNotices.txt, which ships beside it. Only words
the Arabic (101) and US layouts type without a dead key are taken: small letters a-z for
English, the 36 letters of the Arabic keyboard for Arabic. The pick is a fixed hash order, so
a rerun on the same packages gives the same files. The results are committed; a build needs
neither package."""
import hashlib
import os
import re
import sys

ENGLISH_SOURCE = "/usr/share/dict/american-english-small"
ARABIC_SOURCE = "/usr/share/hunspell/ar.dic"
ENGLISH_COPYRIGHT = "/usr/share/doc/wamerican-small/copyright"
ARABIC_COPYRIGHT = "/usr/share/doc/hunspell-ar/copyright"

ENGLISH_COUNT = 23974
ARABIC_COUNT = 12822

# The letters of the Arabic (101) keyboard: every one a key or Shift and a key.
ARABIC_LETTERS = set("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي")
# Affix classes of the dictionary's noun section that mark names of people, places and peoples.
ARABIC_NAME_CLASSES = {"57", "58", "59", "60", "61", "64", "92", "222"}
NOUN_SECTION = "names.dic"


def pick(words, count, salt):
    if len(words) < count:
        sys.exit(f"only {len(words)} words for {count}")
    ranked = sorted(words, key=lambda w: hashlib.sha1((salt + w).encode("utf-8")).digest())
    return ranked[:count]


def english_words():
    with open(ENGLISH_SOURCE, encoding="utf-8") as f:
        return {w for w in (line.strip() for line in f) if re.fullmatch("[a-z]{3,8}", w)}


def arabic_words():
    """The nouns of the dictionary's noun section, without the names of people and places."""
    words = set()
    section = None
    with open(ARABIC_SOURCE, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        if line.startswith("::::"):
            section = lines[i + 1].strip()
            i += 3
            continue
        i += 1
        if section != NOUN_SECTION or "\t" in line or not line:
            continue
        word, _, classes = line.partition("/")
        if classes.strip() in ARABIC_NAME_CLASSES:
            continue
        if 3 <= len(word) <= 7 and all(c in ARABIC_LETTERS for c in word):
            words.add(word)
    return words


def write_list(path, words, key):
    text = "".join(w + "\r\n" for w in sorted(words, key=key))
    with open(path, "wb") as f:
        f.write(text.encode("cp1256"))


def notices():
    parts = ["Word lists of the flying-words game (Words.exe)\r\n",
             "================================================\r\n\r\n",
             "The English words are taken from SCOWL (Spell Checker Oriented Word Lists), as Debian\r\n"
             "ships them in the package wamerican-small. Its copyright notice follows.\r\n\r\n"]
    for path in (ENGLISH_COPYRIGHT,):
        with open(path, encoding="utf-8") as f:
            parts.append(f.read().replace("\r\n", "\n").replace("\n", "\r\n"))
    parts.append("\r\n\r\nThe Arabic words are taken from the Arabic dictionary for hunspell (Ayaspell), as\r\n"
                 "Debian ships it in the package hunspell-ar, used under the Mozilla Public License 1.1, one\r\n"
                 "of the three licences it is offered under. Its copyright notice follows.\r\n\r\n")
    with open(ARABIC_COPYRIGHT, encoding="utf-8") as f:
        parts.append(f.read().replace("\r\n", "\n").replace("\n", "\r\n"))
    return "".join(parts)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    lists = os.path.join(data, "embedded", "words")
    shipped = os.path.join(data, "games", "Words")
    os.makedirs(lists, exist_ok=True)
    os.makedirs(shipped, exist_ok=True)
    write_list(os.path.join(lists, "ListWordsEn.txt"), pick(english_words(), ENGLISH_COUNT, "en"), key=str)
    # Unicode order is the alphabet's order (hamza forms first, then alef to yeh)
    write_list(os.path.join(lists, "ListWordsAr.txt"), pick(arabic_words(), ARABIC_COUNT, "ar"), key=str)
    with open(os.path.join(shipped, "WordListNotices.txt"), "wb") as f:
        f.write(notices().encode("utf-8"))


if __name__ == "__main__":
    main()
