"""The Arabic (101) keyboard as the course teaches it: for each character, the key that
types it (US engraving), whether Shift is held, the row and the finger."""

# finger codes: L/R hand, P pinky, R ring, M middle, I index; T thumb
FINGERS = {
    "LP": ("الخنصر الأيسر", "left little finger"),
    "LR": ("البنصر الأيسر", "left ring finger"),
    "LM": ("الوسطى اليسرى", "left middle finger"),
    "LI": ("السبابة اليسرى", "left index finger"),
    "RI": ("السبابة اليمنى", "right index finger"),
    "RM": ("الوسطى اليمنى", "right middle finger"),
    "RR": ("البنصر الأيمن", "right ring finger"),
    "RP": ("الخنصر الأيمن", "right little finger"),
    "T": ("الإبهام", "thumb"),
}

# The same names vocalised, for the voice that says them on the page sounds.
SPOKEN_FINGERS = {
    "LP": "الخِنْصِرُ الأَيْسَر", "LR": "البِنْصِرُ الأَيْسَر", "LM": "الوُسْطَى اليُسْرَى",
    "LI": "السَّبَّابَةُ اليُسْرَى", "RI": "السَّبَّابَةُ اليُمْنَى", "RM": "الوُسْطَى اليُمْنَى",
    "RR": "البِنْصِرُ الأَيْمَن", "RP": "الخِنْصِرُ الأَيْمَن", "T": "الإِبْهَام",
}

ROWS = {
    0: ("صف الأرقام", "number row"),
    1: ("الصف العلوي", "top row"),
    2: ("صف الارتكاز (الأوسط)", "home row"),
    3: ("الصف السفلي", "bottom row"),
}

# The unshifted rows, left to right, as (US key, character) pairs.
ROW_KEYS = {
    0: [("`", "ذ"), ("1", "1"), ("2", "2"), ("3", "3"), ("4", "4"), ("5", "5"), ("6", "6"),
        ("7", "7"), ("8", "8"), ("9", "9"), ("0", "0"), ("-", "-"), ("=", "=")],
    1: [("Q", "ض"), ("W", "ص"), ("E", "ث"), ("R", "ق"), ("T", "ف"), ("Y", "غ"), ("U", "ع"),
        ("I", "ه"), ("O", "خ"), ("P", "ح"), ("[", "ج"), ("]", "د")],
    2: [("A", "ش"), ("S", "س"), ("D", "ي"), ("F", "ب"), ("G", "ل"), ("H", "ا"), ("J", "ت"),
        ("K", "ن"), ("L", "م"), (";", "ك"), ("'", "ط")],
    3: [("Z", "ئ"), ("X", "ء"), ("C", "ؤ"), ("V", "ر"), ("B", "لا"), ("N", "ى"), ("M", "ة"),
        (",", "و"), (".", "ز"), ("/", "ظ")],
}

# Shift + key, as the layout types them (only what the course teaches).
SHIFTED = {
    "َ": "Q", "ً": "W", "ُ": "E", "ٌ": "R", "لإ": "T", "إ": "Y", "÷": "I", "×": "O", "؛": "P",
    "ِ": "A", "ٍ": "S", "لأ": "G", "أ": "H", "ـ": "J", "،": "K", ":": ";", '"': "'",
    "ْ": "X", "لآ": "B", "آ": "N", ".": ".", "؟": "/", "ّ": "`", "!": "1", "%": "5", "+": "=",
}

# Every key of the Arabic (101) layout that types a character, row by row from the left, as
# (US key, US with Shift, Arabic, Arabic with Shift): the keyboard pictures of the results screen
# are drawn from it. ROW_KEYS and SHIFTED agree with it (tools/check_data.py checks so).
LAYOUT_ROWS = [
    [("`", "~", "ذ", "\u0651"), ("1", "!", "1", "!"), ("2", "@", "2", "@"), ("3", "#", "3", "#"),
     ("4", "$", "4", "$"), ("5", "%", "5", "%"), ("6", "^", "6", "^"), ("7", "&", "7", "&"),
     ("8", "*", "8", "*"), ("9", "(", "9", ")"), ("0", ")", "0", "("), ("-", "_", "-", "_"),
     ("=", "+", "=", "+")],
    [("q", "Q", "ض", "\u064E"), ("w", "W", "ص", "\u064B"), ("e", "E", "ث", "\u064F"),
     ("r", "R", "ق", "\u064C"), ("t", "T", "ف", "لإ"), ("y", "Y", "غ", "إ"), ("u", "U", "ع", "\u2018"),
     ("i", "I", "ه", "÷"), ("o", "O", "خ", "×"), ("p", "P", "ح", "؛"), ("[", "{", "ج", "<"),
     ("]", "}", "د", ">"), ("\\", "|", "\\", "|")],
    [("a", "A", "ش", "\u0650"), ("s", "S", "س", "\u064D"), ("d", "D", "ي", "]"), ("f", "F", "ب", "["),
     ("g", "G", "ل", "لأ"), ("h", "H", "ا", "أ"), ("j", "J", "ت", "ـ"), ("k", "K", "ن", "،"),
     ("l", "L", "م", "/"), (";", ":", "ك", ":"), ("'", '"', "ط", '"')],
    [("z", "Z", "ئ", "~"), ("x", "X", "ء", "\u0652"), ("c", "C", "ؤ", "}"), ("v", "V", "ر", "{"),
     ("b", "B", "لا", "لآ"), ("n", "N", "ى", "آ"), ("m", "M", "ة", "\u2019"), (",", "<", "و", ","),
     (".", ">", "ز", "."), ("/", "?", "ظ", "؟")],
]

KEY_FINGER = {
    "`": "LP", "1": "LP", "Q": "LP", "A": "LP", "Z": "LP",
    "2": "LR", "W": "LR", "S": "LR", "X": "LR",
    "3": "LM", "E": "LM", "D": "LM", "C": "LM",
    "4": "LI", "5": "LI", "R": "LI", "T": "LI", "F": "LI", "G": "LI", "V": "LI", "B": "LI",
    "6": "RI", "7": "RI", "Y": "RI", "U": "RI", "H": "RI", "J": "RI", "N": "RI", "M": "RI",
    "8": "RM", "I": "RM", "K": "RM", ",": "RM",
    "9": "RR", "O": "RR", "L": "RR", ".": "RR",
    "0": "RP", "-": "RP", "=": "RP", "P": "RP", "[": "RP", "]": "RP", ";": "RP", "'": "RP", "/": "RP",
}

KEY_ROW = {k: r for r, keys in ROW_KEYS.items() for k, _ in keys}


def key_of(char):
    """(US key, shifted, row, finger code) of a character or lam-alef key."""
    for row, keys in ROW_KEYS.items():
        for key, c in keys:
            if c == char:
                return key, False, row, KEY_FINGER[key]
    if char in SHIFTED:
        key = SHIFTED[char]
        return key, True, KEY_ROW[key], KEY_FINGER[key]
    raise KeyError(char)


def key_spec(char):
    """How pages write the keys that type a character: "T", or "Shift+T" with Shift held."""
    key, shifted, _, _ = key_of(char)
    return f"Shift+{key}" if shifted else key


def shift_finger(finger):
    """Shift is held by the little finger of the other hand."""
    return "RP" if finger.startswith("L") else "LP"
