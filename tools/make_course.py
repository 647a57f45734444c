#!/usr/bin/env python3
"""Writes the Arabic course under data/: the lesson list, the lesson pages, the practice
texts, the test texts and the minutes lists, in code page 1256 with CR LF line ends.

    python3 tools/make_course.py [data-folder]

The output is committed; run this again after changing tools/course/*."""
import os
import random
import sys

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course import content, keyboard, speedtexts  # noqa: E402
from course.lessons import read_lessons, taught_chars  # noqa: E402
from course.names import KEY_NAMES, ORDINALS  # noqa: E402

LINE_WIDTH = 32          # practice lines stay below any width the surface wraps at
PAGE_LIMIT = 1000        # a page file value holds at most 1000 characters

HOME_ROW = "ش س ي ب ل ا ت ن م ك ط".split()


def write_text(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1256"))


def words_of(text):
    return text.split()


def fits(word, allowed):
    return all(c in allowed for c in word)


def wrap(words, width=LINE_WIDTH):
    lines, line = [], ""
    for w in words:
        if line and len(line) + 1 + len(w) > width:
            lines.append(line)
            line = w
        else:
            line = f"{line} {w}" if line else w
    if line:
        lines.append(line)
    return lines


def wrap_sentences(sentences, width=LINE_WIDTH):
    lines = []
    for s in sentences:
        lines += wrap(s.split(), width)
    return lines


# ---------------------------------------------------------------- practices

def letter_drill(new, allowed, rng):
    lines = []
    for key in new:
        finger = keyboard.key_of(key)[3]
        anchor = next(c for k, c in keyboard.ROW_KEYS[2] if keyboard.KEY_FINGER[k] == finger)
        if anchor == key or anchor not in allowed:
            anchor = rng.choice(sorted(c for c in allowed if c != " " and len(c) == 1 and c != key))
        lines.append(f"{key}{key} {key}{key}{key} {anchor}{key}{anchor} {key}{anchor}{key} {key}{key}")
    if len(new) > 1:
        groups = ["".join(rng.choice(new) for _ in range(rng.randint(2, 3))) for _ in range(8)]
        lines += wrap(groups)
    letters = sorted(c for c in allowed if c != " " and c in KEY_NAMES and c.isalpha())
    for _ in range(2 if len(new) > 1 else 3):
        groups = []
        for _ in range(7):
            g = [rng.choice(new)] + [rng.choice(letters) for _ in range(rng.randint(1, 2))]
            rng.shuffle(g)
            groups.append("".join(g))
        lines += wrap(groups)
    return lines


def mark_drill(new, rng):
    bases = "ب ت س م ك ن ل ر د ع".split()
    lines = []
    for mark in new:
        lines += wrap([b + mark for b in rng.sample(bases, 8)])
    return lines


def symbol_drill(new, allowed, rng):
    words = [w for w in words_of(content.WORDS) if fits(w, allowed) and len(w) <= 4]
    digits = sorted(c for c in allowed if c.isdigit())

    def number():
        return "".join(rng.choice(digits) for _ in range(rng.randint(1, 2))).lstrip("0") or "1"

    lines = []
    for s in new:
        if s.isdigit():
            lines.append(" ".join(s * rng.randint(1, 3) for _ in range(8)))
        elif s == "%":
            lines += wrap([f"{number()}%" for _ in range(7)])
        elif s in "×÷+=":
            lines += wrap([equation(s, rng) for _ in range(3)])
        elif s == '"':
            lines += wrap([f'"{rng.choice(words)}"' for _ in range(5)])
        elif s == "-":
            lines += wrap([f"{rng.choice(words)} - {rng.choice(words)}" for _ in range(3)])
        else:
            lines += wrap([f"{rng.choice(words)}{s}" for _ in range(6)])
    new_digits = [c for c in new if c.isdigit()]
    if new_digits:
        lines += wrap(["".join(rng.choice(new_digits) for _ in range(rng.randint(2, 3))) for _ in range(9)])
    return lines


def equation(sign, rng):
    """A true sum for the arithmetic lesson: a teacher does not drill 9 × 69 = 1."""
    a, b = rng.randint(2, 9), rng.randint(2, 12)
    if sign == "×":
        return f"{a} × {b} = {a * b}"
    if sign == "÷":
        return f"{a * b} ÷ {a} = {b}"
    if sign == "+":
        return f"{a * 3} + {b} = {a * 3 + b}"
    return f"{a + b} - {b} = {a}"


def pool(allowed):
    """Every word of the course that the allowed keys can type."""
    text = content.WORDS + content.HAMZA_WORDS + content.COMMON
    if "ـ" in allowed:
        text += " " + content.TATWEEL_WORDS
    if "َ" in allowed:
        text += content.VOWELLED
    if "ً" in allowed:
        text += content.TANWEEN_WORDS
    seen, out = set(), []
    for w in words_of(text):
        if w not in seen and fits(w, allowed):
            seen.add(w)
            out.append(w)
    return out


def word_practice(new, allowed, rng, count, fill=True):
    words = pool(allowed)
    focus = [w for w in words if any(c in w for key in new for c in key)]
    if fill and len(focus) < count:
        rest = [w for w in words if w not in focus]
        focus += rng.sample(rest, min(len(rest), count - len(focus)))
    chosen = rng.sample(focus, min(count, len(focus)))
    return wrap(chosen)


def sentence_practice(new, allowed, rng, sources, lines_wanted):
    sentences = [s for src in sources for s in src.strip().splitlines() if fits(s, allowed)]
    with_new = [s for s in sentences if any(c in s for key in new for c in key)]
    others = [s for s in sentences if s not in with_new]
    rng.shuffle(with_new)
    rng.shuffle(others)
    lines = wrap_sentences(with_new)[:lines_wanted - 1]
    words = pool(allowed)
    focus = [w for w in words if any(c in w for key in new for c in key)] or words
    while len(lines) < lines_wanted - 1:
        lines += wrap(rng.sample(focus, min(len(focus), 4)))
    lines = lines[:lines_wanted - 1]
    lines += wrap_sentences(others[:1]) or wrap(rng.sample(words, min(len(words), 4)))
    return lines


def practices(lesson, allowed, before, rng):
    n, new = lesson.number, lesson.keys
    # what the words and sentences should show off: the letters this lesson adds (the
    # lam-alef key adds none)
    fresh = sorted(c for c in lesson.chars if c not in before) or new
    size = 4 + min(n, 24) // 6          # the texts grow with the learner
    if not new:
        q1, q2, q3 = text_practices(n, rng)
    elif n <= 18:
        q1 = letter_drill([k for k in new if k not in ("ـ", "لا")], allowed, rng)
        if "ـ" in new:
            q1 += wrap(content.TATWEEL_WORDS.split()[:6])
        if "لا" in new:
            q1.insert(0, "لا لا لالا لا سلام لا كلام")
        if n == 4:
            q1.append(" ".join(HOME_ROW))
        q2 = word_practice(fresh, allowed, rng, 5 * size)
        q3 = sentence_practice(fresh, allowed, rng, [content.SENTENCES, content.SENTENCES_FULL], size)
    elif set(new) <= MARKS:
        sentences = content.VOWELLED_SENTENCES + content.TANWEEN_SENTENCES
        q1 = mark_drill(new, rng)
        q2 = word_practice(new, allowed, rng, 4 * size, fill=False)
        q3 = sentence_practice(new, allowed, rng, [sentences], size)
    elif n in content.DIGITS_PHRASES:
        phrases = content.DIGITS_PHRASES[n].strip().splitlines()
        q1 = symbol_drill(new, allowed, rng)
        q2 = wrap_sentences(phrases[:3])
        q3 = wrap_sentences(phrases[3:])
    elif n in content.PUNCT_SENTENCES:
        sentences = content.PUNCT_SENTENCES[n].strip().splitlines()
        q1 = symbol_drill(new, allowed, rng)
        q2 = wrap_sentences(sentences[:4])
        q3 = wrap_sentences(sentences[4:] + [s for s in content.SENTENCES_FULL.strip().splitlines()
                                            if fits(s, allowed)][:2])
    for q in (q1, q2, q3):
        for line in q:
            bad = [c for c in line if c not in allowed]
            assert not bad, f"lesson {n}: {line!r} uses {bad}"
    return q1, q2, q3


def text_practices(n, rng):
    """The lessons after the last key: words, sentences, paragraphs, mixed texts."""
    common = words_of(content.COMMON)
    full = content.SENTENCES_FULL.strip().splitlines()
    paragraphs = content.PARAGRAPHS.strip().splitlines()
    mixed = content.MIXED.strip().splitlines()
    if n == 27:
        q1 = wrap(common[:36])
        q2 = wrap(common[36:])
        q3 = wrap(rng.sample(common, 40))
    elif n == 28:
        q1 = wrap_sentences(full[0:5])
        q2 = wrap_sentences(full[5:10])
        q3 = wrap_sentences(full[10:])
    elif n == 29:
        q1 = wrap_sentences(paragraphs[0:1])
        q2 = wrap_sentences(paragraphs[1:3])
        q3 = wrap_sentences(paragraphs[3:5])
    else:
        q1 = wrap_sentences(mixed[0:2])
        q2 = wrap_sentences(mixed[2:4])
        q3 = wrap_sentences(mixed[4:] + content.VOWELLED_SENTENCES.strip().splitlines()[:1]
                            + content.TANWEEN_SENTENCES.strip().splitlines()[:1])
    return q1, q2, q3


# ---------------------------------------------------------------- pages

STYLE = ("<style>body{background:#229ECE;color:white;font-family:Arabic Transparent}"
         "td{background:#AEE2FF;color:navy;font-size:18pt;padding:3px 7px}"
         "td.n{background:yellow}td.u{color:#8AA}</style>")


def page(title, body, english, extra=""):
    html = (f"{STYLE}<body dir=rtl><center><font size=\"6\"><b>{title}</b></font>"
            f"<p><font size=\"5\">{body}</font></p>{extra}"
            f"<p dir=ltr><font face=Tahoma color=#FFFF99>{english}</font></p>"
            f"</center></body>")
    # The page file has no quoting: a comma (the key label of waw, an English clause)
    # becomes its character reference.
    return html.replace(",", "&#44;")


MARKS = {"َ", "ُ", "ِ", "ْ", "ً", "ٌ", "ٍ", "ّ"}


def shown(key):
    """A mark alone has nothing to sit on: pages show it on a tatweel."""
    return "ـ" + key if key in MARKS else key


def row_table(row, new, taught, shifted):
    cells = []
    for key, char in keyboard.ROW_KEYS[row]:
        label = next((c for c in new if keyboard.key_of(c)[0] == key and keyboard.key_of(c)[1]), char) \
            if shifted else char
        cls = " class=n" if label in new else ("" if all(c in taught for c in char) else " class=u")
        cells.append(f"<td{cls}>{shown(label)}</td>")
    return f"<table dir=ltr><tr>{''.join(cells)}</tr></table>"


def finger_text(char):
    key, shifted, row, finger = keyboard.key_of(char)
    ar = f"المفتاح {key} في {keyboard.ROWS[row][0]}"
    en = f"Key {key} on the {keyboard.ROWS[row][1]}"
    if shifted:
        other = keyboard.FINGERS[keyboard.shift_finger(finger)]
        ar += f" مع العالي Shift: أمسك العالي ب{other[0]} واضغط المفتاح ب{keyboard.FINGERS[finger][0]}."
        en += f" with Shift: hold Shift with the {other[1]} and press the key with the {keyboard.FINGERS[finger][1]}."
    else:
        ar += f". اضغطه ب{keyboard.FINGERS[finger][0]}" + (
            "؛ هنا تستقر هذه الإصبع دائما." if row == 2 else " ثم ارجع بها إلى صف الارتكاز.")
        en += f": press it with the {keyboard.FINGERS[finger][1]}."
    return ar, en


def examples(char, allowed, n):
    """A few words with the key, or for a digit or a mark one phrase of its lesson."""
    words = [w for w in pool(allowed) if char in w][:4]
    if words and not char.isdigit():
        return words
    phrases = (content.DIGITS_PHRASES.get(n, "") + content.PUNCT_SENTENCES.get(n, "")).strip().splitlines()
    phrases = [p for p in phrases if char in p and fits(p, allowed)]
    phrases.sort(key=lambda p: not any(c.isalpha() for c in p))    # words around it first
    return phrases[:1]


def lesson_pages(lesson, allowed_before, allowed):
    n, new = lesson.number, lesson.keys
    tip_ar, tip_en = content.TIPS[n]
    pages = []
    if new:
        cells = "".join(
            f"<td class=n>{shown(k)}</td>" + ("" if keyboard.key_of(k)[0] == k and not keyboard.key_of(k)[1] else
                                            f"<td>{keyboard.key_of(k)[0]}{' Shift' if keyboard.key_of(k)[1] else ''}</td>")
            for k in new)
        fingers = "، ".join(f"{shown(k)} ب{keyboard.FINGERS[keyboard.key_of(k)[3]][0]}" for k in new)
        intro_ar = f"المفاتيح الجديدة: {fingers}."
        keys_en = " ".join(f"{keyboard.key_of(k)[0]} ({KEY_NAMES[k][1]})" for k in new)
        intro_en = f"Lesson {n}: {lesson.title_en}. New keys: {keys_en}."
        room = 5 - 1 - len(new)
        if room <= 0:
            intro_ar += " " + tip_ar
            intro_en += " " + tip_en
        pages.append((f"Lesson{n}", page(f"الدرس {n}: {lesson.title_ar}", intro_ar, intro_en,
                                         f"<table dir=ltr><tr>{cells}</tr></table>")))
        for k in new:
            name_ar, name_en, stem = KEY_NAMES[k]
            where_ar, where_en = finger_text(k)
            body = f"{name_ar} «{shown(k)}»: {where_ar}"
            if k == "لا":
                body += " يكتب هذا المفتاح حرفين: اللام ثم الألف."
                where_en += " It types two letters: lam then alef."
            ex = examples(k, allowed, n)
            if len(ex) > 1:
                body += f"<br>أمثلة: {' - '.join(ex)}"
            elif ex:
                body += f"<br>مثال: {ex[0]}"
            _, shifted, row, _ = keyboard.key_of(k)
            pages.append((stem, page(f"مفتاح {shown(k)}", body, f"{name_en}: {where_en}",
                                     row_table(row, new, allowed_before, shifted))))
        if room > 0:
            pages.append(("Practice", practice_page(n, tip_ar, tip_en)))
    else:
        pages.append((f"Lesson{n}", page(f"الدرس {n}: {lesson.title_ar}",
                                         "تعلمت كل المفاتيح. نتدرب الآن على الكتابة المتصلة لنرفع السرعة مع الدقة.",
                                         f"Lesson {n}: {lesson.title_en}. You know every key: now build speed with accuracy.")))
        pages.append(("home", page("صف الارتكاز",
                                   "قبل أن تبدأ ضع أصابعك على صف الارتكاز: ش س ي ب لليد اليسرى وت ن م ك لليد اليمنى؛ وارجع إليه بعد كل مفتاح.",
                                   "Before you start rest your fingers on the home row and come back to it after each key.",
                                   row_table(2, [], allowed, False))))
        pages.append(("Practice", practice_page(n, tip_ar, tip_en)))
    return pages


def practice_page(n, tip_ar, tip_en):
    return page("إلى التمارين", f"{tip_ar}<br>لا تنظر إلى لوحة المفاتيح؛ الدقة أولا ثم السرعة. ابدأ الآن التمرين الأول.",
                f"{tip_en} Accuracy first then speed. Now start Practice 1.")


def page_sound_texts(lessons):
    """What each page sound says, by sound file stem (vocalised where the voice needs it)."""
    texts = {"Practice": "اِبْدَأِ التَّمْرِينَ الأَوَّل", "home": "صَفُّ الارْتِكَاز"}
    for lesson in lessons:
        texts[f"Lesson{lesson.number}"] = f"الدَّرْسُ {ORDINALS[lesson.number - 1]}"
        for k in lesson.keys:
            name_ar, _, stem = KEY_NAMES[k]
            _, shifted, _, finger = keyboard.key_of(k)
            texts[stem] = f"{name_ar}. {keyboard.SPOKEN_FINGERS[finger]}" + (". مَعَ العَالِي" if shifted else "")
    return texts


# ---------------------------------------------------------------- files

def write_course(data):
    lessons = read_lessons()
    taught = taught_chars(lessons)
    write_text(os.path.join(data, "ALessons.txt"),
               [f"{l.number} - {l.title_ar}" + (f" ({' '.join(map(shown, l.keys))})" if l.keys else "")
                for l in lessons])
    for lesson in lessons:
        n = lesson.number
        allowed = taught[n - 1]
        before = taught[n - 2] if n > 1 else frozenset({" "})
        rng = random.Random(n)
        rows = ["char,data,PicNo"]
        for i, (stem, html) in enumerate(lesson_pages(lesson, before, allowed), 1):
            value = f"{html},{i}"
            assert len(value) <= PAGE_LIMIT, f"lesson {n} page {i}: {len(value)} characters"
            rows.append(f"{stem},{value}")
        write_text(os.path.join(data, "ALess", f"ALess{n}.txt"), rows)
        for k, text in enumerate(practices(lesson, allowed, before, rng), 1):
            write_text(os.path.join(data, "ALess", f"Qless{n}_{k}.txt"), text)


def write_tests(data):
    folder = os.path.join(data, "ASpeedText")
    write_text(os.path.join(folder, "Text.txt"), [name for name, _ in speedtexts.TEXTS])
    for name, text in speedtexts.TEXTS:
        write_text(os.path.join(folder, name + ".txt"), text.strip().splitlines())
    write_text(os.path.join(data, "AMinutes.txt"),
               ["دقيقة واحدة", "دقيقتان"] + [f"{m} دقائق" for m in range(3, 9)])
    write_text(os.path.join(data, "EMinutes.txt"),
               ["1 minute"] + [f"{m} minutes" for m in range(2, 9)])


# The on-screen keyboard's key list: line i names the key whose button has Tag i + 1, keys in
# reading order (number row, top, home and bottom rows from the left), then the space bar and the
# named keys, which no typed character matches.
KEYBOARD_KEYS = (
    "ذ 1 2 3 4 5 6 7 8 9 0 - =".split()
    + "ض ص ث ق ف غ ع ه خ ح ج د \\".split()
    + HOME_ROW
    + "ئ ء ؤ ر لا ى ة و ز ظ".split()
    + [" ", "Tab", "CapsLock", "LeftShift", "RightShift", "Enter", "Backspace", "Ctrl", "Alt"]
)


def write_keys(data):
    assert len(KEYBOARD_KEYS) == 56
    write_text(os.path.join(data, "Akeys.txt"), KEYBOARD_KEYS)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    write_course(data)
    write_tests(data)
    write_keys(data)


if __name__ == "__main__":
    main()
