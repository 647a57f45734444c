#!/usr/bin/env python3
"""Writes the Arabic course under data/: the lesson list, the lesson pages, the practice
texts, the test texts and the minutes lists, in code page 1256 with CR LF line ends.

    python3 tools/make_course.py [data-folder]

The output is committed; run this again after changing tools/course/*."""
import os
import random
import re
import sys

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course import content, figures, keyboard, speedtexts  # noqa: E402
from course.lessons import read_lessons, taught_chars  # noqa: E402
from course.names import KEY_NAMES, ORDINALS  # noqa: E402

LINE_WIDTH = 32          # practice lines stay below any width the surface wraps at
PAGE_LIMIT = 1000        # a page file value holds at most 1000 characters
PRACTICE_CHARS = 260     # each practice of a key lesson, so that a lesson holds 750 and more
MARKS = figures.MARKS
LAM_ALEF = figures.LAM_ALEF

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

def drill_line(key):
    """Reaches for a key that no real word of the taught keys holds yet."""
    return f"{key}{key} {key} {key}{key}{key} {key}"


def fill(items, rng, target, first=None):
    """Items in order (or `first` in order), then again shuffled, until target characters."""
    out = list(first if first is not None else items)
    while items and sum(len(i) + 1 for i in out) < target:
        more = list(items)
        rng.shuffle(more)
        out += more
    return out


def pool(allowed):
    """Every word of the course that the allowed keys can type, each once, in course order."""
    texts = [content.LESSON_WORDS[n] for n in sorted(content.LESSON_WORDS)] + [content.COMMON]
    if MARKS & allowed:
        texts += [content.VOWELLED, content.TANWEEN_WORDS]
    return [w for w in dict.fromkeys(words_of(" ".join(texts))) if fits(w, allowed)]


def drills(word, keys, fresh):
    return any(c in word for c in fresh) or (LAM_ALEF in keys and LAM_ALEF in word)


def letter_practices(lesson, allowed, before, rng):
    """Practice 1 drills the new keys in real words, practice 2 mixes them with the keys
    taught before, practice 3 puts them in phrases and sentences."""
    keys = lesson.keys
    fresh = figures.fresh_chars(keys, before)
    own = [w for w in words_of(content.LESSON_WORDS[lesson.number]) if fits(w, allowed)]
    focus = [w for w in dict.fromkeys(own + pool(allowed)) if drills(w, keys, fresh)]

    def density(w):
        return figures.new_key_count(w, keys, before) / len(w)

    lines = [drill_line(k) for k in keys if not any(k in w for w in focus)]
    drill = sorted(focus, key=lambda w: (-density(w), len(w)))[:18]
    q1 = lines + wrap(fill(drill, rng, PRACTICE_CHARS, first=sorted(drill, key=len)))
    earlier = [w for w in focus if any(c in before and c != " " for c in w) and w not in drill]
    mixed = earlier or focus
    rng.shuffle(mixed)
    q2 = wrap(fill(mixed[:40], rng, PRACTICE_CHARS))
    q3 = sentence_practice(lesson.number, content.LESSON_SENTENCES[lesson.number], rng)
    return q1, q2, q3


def sentence_practice(n, text, rng):
    sentences = [figures.typed_order(s) for s in text.strip().splitlines()]
    claim_sentences(n, sentences)
    return wrap_sentences(fill(sentences, rng, PRACTICE_CHARS))


SENTENCE_OWNER = {}


def claim_sentences(n, sentences):
    """A sentence is typed in one lesson only."""
    for s in sentences:
        owner = SENTENCE_OWNER.setdefault(s, n)
        assert owner == n, f"lesson {n}: {s!r} is already a sentence of lesson {owner}"


def mark_practices(lesson, allowed, before, rng):
    new = lesson.keys
    words = [figures.typed_order(w) for w in pool(allowed) if MARKS & set(w)]
    marked = [w for w in words if any(m in w for m in new)]
    drill = sorted(marked, key=lambda w: (len(w), w))[:20]
    q1 = wrap(fill(drill, rng, PRACTICE_CHARS))
    rest = [w for w in words if w not in drill] or words
    rng.shuffle(rest)
    q2 = wrap(fill(rest, rng, PRACTICE_CHARS))
    text = content.TANWEEN_SENTENCES if "ّ" in new else content.VOWELLED_SENTENCES
    q3 = sentence_practice(lesson.number, text, rng)
    return q1, q2, q3


def symbol_drill(new, allowed, rng):
    words = [w for w in pool(allowed) if len(w) <= 4]
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


def symbol_practices(lesson, allowed, before, rng):
    """Digits and signs: a drill, then the lesson's phrases, the denser half last."""
    n, keys = lesson.number, lesson.keys
    q1 = []
    while sum(map(len, q1)) < PRACTICE_CHARS:
        q1 += symbol_drill(keys, allowed, rng)
    phrases = (content.DIGITS_PHRASES.get(n) or content.PUNCT_SENTENCES[n]).strip().splitlines()
    claim_sentences(n, phrases)
    ranked = sorted(phrases, key=lambda p: figures.new_key_share([p], keys, before))
    half = len(ranked) // 2
    q2 = wrap_sentences(fill(ranked[:half], rng, PRACTICE_CHARS))
    q3 = wrap_sentences(fill(ranked[half:], rng, PRACTICE_CHARS))
    return q1, q2, q3


def practices(lesson, allowed, before, rng):
    n, new = lesson.number, lesson.keys
    if not new:
        q1, q2, q3 = text_practices(n, rng)
    elif set(new) <= MARKS:
        q1, q2, q3 = mark_practices(lesson, allowed, before, rng)
    elif any(c.isalpha() for key in new for c in key):
        q1, q2, q3 = letter_practices(lesson, allowed, before, rng)
    else:
        q1, q2, q3 = symbol_practices(lesson, allowed, before, rng)
    for q in (q1, q2, q3):
        for line in q:
            bad = [c for c in line if c not in allowed]
            assert not bad, f"lesson {n}: {line!r} uses {bad}"
    if new:
        chars = sum(len(line) for q in (q1, q2, q3) for line in q)
        share = figures.new_key_share(q3, new, before)
        assert chars >= figures.LESSON_CHARS, f"lesson {n}: {chars} characters"
        assert share >= figures.NEW_KEY_SHARE, f"lesson {n}: new keys {share:.0%} of practice 3"
    return q1, q2, q3


def text_practices(n, rng):
    """The lessons after the last key: words, sentences, paragraphs, mixed texts."""
    common = words_of(content.COMMON)
    full = content.SENTENCES_FULL.strip().splitlines()
    paragraphs = content.PARAGRAPHS.strip().splitlines()
    mixed = [figures.typed_order(m) for m in content.MIXED.strip().splitlines()]
    if n == 27:
        half = len(common) // 2
        phrases = content.COMMON_PHRASES.strip().splitlines()
        claim_sentences(n, phrases)
        q1 = wrap(fill(common[:half], rng, PRACTICE_CHARS))
        q2 = wrap(fill(common[half:], rng, PRACTICE_CHARS))
        q3 = wrap_sentences(fill(phrases, rng, PRACTICE_CHARS))
        return q1, q2, q3
    texts = {28: full, 29: paragraphs, 30: mixed}[n]
    claim_sentences(n, texts)
    third = -(-len(texts) // 3)
    return tuple(wrap_sentences(texts[i * third:(i + 1) * third]) for i in range(3))


# ---------------------------------------------------------------- pages

STYLE = ("<style>body{background:#229ECE;color:white;font-family:Arabic Transparent}"
         "td{background:#AEE2FF;color:navy;font-size:18pt;padding:3px 7px}"
         "td.n{background:yellow}td.u{color:#8AA}td.k{background:white}</style>")


def page(title, body, english, extra=""):
    html = (f"{STYLE}<body dir=rtl><center><font size=\"6\"><b>{title}</b></font>"
            f"<p><font size=\"5\">{body}</font></p>{extra}"
            f"<p dir=ltr><font face=Tahoma color=#FFFF99>{english}</font></p>"
            f"</center></body>")
    # The page file has no quoting: a comma (the key label of waw, an English clause)
    # becomes its character reference.
    return html.replace(",", "&#44;")


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


LRM = "\u200e"


def key_mention(char):
    """A key as every page names it: the character and the keys that type it, «ط» ('). The
    left-to-right mark keeps "Shift+`" in its order inside an Arabic sentence."""
    return f"«{shown(char)}» ({keyboard.key_spec(char)}{LRM})"


def with_keys(text):
    """A tip names keys as {c}; the page names them with their keys."""
    return re.sub(r"\{([^}]+)\}", lambda m: key_mention(m.group(1)), text)


def typing_example(word):
    """The keystrokes of a vocalised word in the order the practices hold them."""
    word = figures.typed_order(word)
    return f"«{word}»: " + " + ".join(shown(c) for c in word)


def finger_text(char):
    _, shifted, row, finger = keyboard.key_of(char)
    ar = f"في {keyboard.ROWS[row][0]}"
    en = f"on the {keyboard.ROWS[row][1]}"
    if shifted:
        other = keyboard.FINGERS[keyboard.shift_finger(finger)]
        ar += f" مع العالي: أمسك العالي ب{other[0]} واضغط المفتاح ب{keyboard.FINGERS[finger][0]}."
        en += f" with Shift: hold Shift with the {other[1]} and press the key with the {keyboard.FINGERS[finger][1]}."
    else:
        ar += f". اضغطه ب{keyboard.FINGERS[finger][0]}" + (
            "؛ هنا تستقر هذه الإصبع دائما." if row == 2 else " ثم ارجع بها إلى صف الارتكاز.")
        en += f": press it with the {keyboard.FINGERS[finger][1]}."
    return ar, en


def examples(char, allowed, n):
    """A few words with the key, or for a digit or a mark one phrase of its lesson."""
    words = [figures.typed_order(w) for w in pool(allowed) if char in w][:4]
    if words and not char.isdigit():
        return words
    phrases = (content.DIGITS_PHRASES.get(n, "") + content.PUNCT_SENTENCES.get(n, "")).strip().splitlines()
    phrases = [p for p in phrases if char in p and fits(p, allowed)]
    phrases.sort(key=lambda p: not any(c.isalpha() for c in p))    # words around it first
    return phrases[:1]


SHADDA_EXAMPLE = "سُكَّرٌ"


def lesson_pages(lesson, allowed_before, allowed):
    n, new = lesson.number, lesson.keys
    tip_ar, tip_en = (with_keys(t) for t in content.TIPS[n])
    pages = []
    if new:
        cells = "".join(f"<td class=n>{shown(k)}</td><td class=k>{keyboard.key_spec(k)}</td>" for k in new)
        fingers = "، ".join(f"{shown(k)} ب{keyboard.FINGERS[keyboard.key_of(k)[3]][0]}" for k in new)
        intro_ar = f"المفاتيح الجديدة: {fingers}."
        keys_en = "; ".join(f"{KEY_NAMES[k][1]} {key_mention(k)}" for k in new)
        intro_en = f"Lesson {n}: {lesson.title_en}. New keys: {keys_en}."
        pages.append((f"Lesson{n}", page(f"الدرس {n}: {lesson.title_ar}", intro_ar, intro_en,
                                         f"<table dir=ltr><tr>{cells}</tr></table>")))
        for k in new:
            name_ar, name_en, stem = KEY_NAMES[k]
            where_ar, where_en = finger_text(k)
            body = f"{name_ar} {key_mention(k)} {where_ar}"
            if k == LAM_ALEF:
                body += " يكتب هذا المفتاح حرفين: اللام ثم الألف."
                where_en += " It types two letters: lam then alef."
            if k == figures.SHADDA:
                body += f" اكتبها بعد الحرف وقبل حركته: {typing_example(SHADDA_EXAMPLE)}"
                where_en += " Type it right after its letter and before the vowel."
            else:
                ex = examples(k, allowed, n)
                if len(ex) > 1:
                    body += f"<br>أمثلة: {' - '.join(ex)}"
                elif ex:
                    body += f"<br>مثال: {ex[0]}"
            _, shifted, row, _ = keyboard.key_of(k)
            pages.append((stem, page(f"مفتاح {shown(k)}", body, f"{name_en} {key_mention(k)} {where_en}",
                                     row_table(row, new, allowed_before, shifted))))
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
