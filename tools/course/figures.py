"""The course's measures, shared by the generator (which aims at them) and the data check
(which reports them from the shipped files)."""
import re

MARKS = frozenset("َُِْ ًٌٍّ".replace(" ", ""))
SHADDA = "ّ"
TATWEEL = "ـ"
LAM_ALEF = "لا"

LESSON_CHARS = 750          # a key lesson's three practices together, at least
NEW_KEY_SHARE = 0.12        # a key lesson's third practice: its new keys among the characters
PRACTICE1_REAL_WORDS = 0.9  # a letter lesson's first practice: real words among its words
TYPEABLE_BY_LESSON_10 = 0.6  # running words of the test texts typeable after lesson 10

ARABIC_WORD = re.compile(r"[\u0621-\u064A\u0640\u064B-\u0652]+")


def fresh_chars(keys, before):
    """Characters a lesson adds to what the learner could type before it."""
    return {c for key in keys for c in key if c not in before}


def new_key_count(text, keys, before):
    """How many typed characters of text come from the lesson's new keys. The lam-alef key
    types both its letters, which earlier keys already typed one by one."""
    fresh = fresh_chars(keys, before)
    count = sum(1 for c in text if c in fresh)
    if LAM_ALEF in keys and not (set(LAM_ALEF) & fresh):
        count += 2 * text.count(LAM_ALEF)
    return count


def new_key_share(lines, keys, before):
    text = "".join(lines)
    typed = sum(1 for c in text if c != " ")
    return new_key_count(text, keys, before) / typed if typed else 0.0


def typed_order(text):
    """Marks in the order the course teaches to type them: the shadda right after its letter,
    then the vowel or tanween that goes with it."""
    return re.sub(f"([{''.join(sorted(MARKS - {SHADDA}))}]){SHADDA}", SHADDA + r"\1", text)


def plain(word):
    """A word without marks and tatweel, as a dictionary spells it."""
    return "".join(c for c in word if c not in MARKS and c != TATWEEL)


def arabic_words(text):
    return ARABIC_WORD.findall(text)


def typeable_share(words, allowed):
    return sum(1 for w in words if all(c in allowed for c in w)) / len(words) if words else 0.0
