#!/usr/bin/env python3
"""Writes every interface movie of data/interface from one set of layout rules, so the 22 files
share one look. Run it after a change and commit the .swf files it writes:

    python3 data/interface/gen/make_movies.py
"""
import os

OUT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The colours the screens already use (DESIGN: visual style of the movies).
SKY = "#31ADDD"        # typing surfaces
PALE = "#AEE2FF"       # panels
PAGE = "#229ECE"       # page views
STEEL = "#6398AB"      # the message form
NAVY = "#0F3D63"
DEEP = "#1A6E99"
WHITE = "#FFFFFF"
HOVER = "#FFD84A"      # the screens' own hover colour is yellow
PRESSED = "#F29A1F"
NEXT_KEY = "#8FE89A"   # the on-screen keyboard's key to press next
NEXT_KEY_BORDER = "#1E7F34"
PANEL_FRAME = "#17557F"

W, H = 792, 566
BAND = 64              # title band height
SIDE_W = 210
MARGIN = 20


def q(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


class Lang:
    def __init__(self, code):
        self.arabic = code == "A"
        self.font = "Arabic Transparent" if self.arabic else "Tahoma"
        # Arabic script needs a little more height to read as comfortably as Latin
        self.body = 20 if self.arabic else 17
        self.button = 21 if self.arabic else 18
        self.title = 30 if self.arabic else 26

    def t(self, arabic, english):
        return arabic if self.arabic else english

    def text_attrs(self, size, color=WHITE, bold=False, align=None, wrap=False):
        a = ["font=" + q(self.font), "size=%d" % size, "color=" + color]
        a.append("align=" + (align or ("right" if self.arabic else "left")))
        if bold:
            a.append("bold")
        if self.arabic:
            a.append("rtl")
        if wrap:
            a.append("wrap")
        return " ".join(a)


class Movie:
    def __init__(self, name, lang, width=W, height=H, comment=""):
        self.name, self.lang, self.width, self.height = name, lang, width, height
        self.lines = ["# " + name + ": " + comment if comment else "# " + name,
                      "# written by data/interface/gen/make_movies.py; edit the generator, not this file",
                      "movie %d %d" % (width, height)]

    def add(self, line):
        self.lines.append(line)

    def comment(self, text):
        self.lines.append("# " + text)

    def text(self, x, y, w, h, content, size=None, color=WHITE, bold=False, align=None, wrap=False, font=None):
        attrs = self.lang.text_attrs(size or self.lang.body, color, bold, align, wrap)
        if font:
            attrs = attrs.replace("font=" + q(self.lang.font), "font=" + q(font))
        self.add("text %d %d %d %d %s %s" % (x, y, w, h, q(content), attrs))

    def button(self, x, y, w, h, command, caption, size=None, radius=10):
        L = self.lang
        self.add("roundrect %d %d %d %d radius=%d fill=#0B2E4A border=none" % (x + 3, y + 4, w, h, radius))
        self.add(("button %d %d %d %d command=%s caption=%s font=%s size=%d bold%s radius=%d pen=2 "
                  "fill=%s color=%s border=%s hover-fill=%s hover-color=%s hover-border=%s "
                  "down-fill=%s down-color=%s down-border=%s") %
                 (x, y, w, h, command, q(caption), q(L.font), size or L.button, " rtl" if L.arabic else "",
                  radius, PALE, NAVY, WHITE, HOVER, NAVY, WHITE, PRESSED, WHITE, NAVY))

    def panel(self, x, y, w, h, fill=PANEL_FRAME, border=WHITE, radius=14):
        self.add("roundrect %d %d %d %d radius=%d fill=%s border=%s pen=2" % (x, y, w, h, radius, fill, border))

    def free(self, x, y, w, h, what):
        """Marks, in the file, room that the screen covers with its own controls."""
        self.comment("free for the screen: %s at %d, %d, %d x %d" % (what, x, y, w, h))

    def write(self):
        with open(os.path.join(OUT, self.name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(self.lines) + "\n")


def frame_of(m, title, small_buttons=()):
    """Background, title band with the screen's title, a thin accent and the footer."""
    L = m.lang
    m.add("background vgradient %s %s" % (SKY, DEEP))
    m.add("rect 0 0 %d %d fill=%s border=none" % (m.width, BAND, NAVY))
    m.add("rect 0 %d %d 4 fill=%s border=none" % (BAND, m.width, HOVER))
    tx = 150 if L.arabic else 24
    if title:
        m.text(tx, 0, m.width - 174, BAND, title, size=L.title, bold=True)
    # the product mark on the side facing the title's end
    mark_x = 18 if L.arabic else m.width - 150
    m.add("ellipse %d 18 28 28 fill=%s border=none" % (mark_x, HOVER))
    m.add("text %d 18 28 28 \"T\" font=\"Tahoma\" size=18 color=%s align=center bold" % (mark_x, NAVY))
    m.add("text %d 0 100 %d \"Tapwise\" font=\"Tahoma\" size=18 color=%s align=left bold" % (mark_x + 36, BAND, WHITE))
    m.add("rect 0 %d %d %d fill=#0B2E4A border=none" % (m.height - 26, m.width, 26))
    m.text(16, m.height - 26, m.width - 32, 26, L.t("برنامج تعليم الطباعة باللمس", "Touch typing for Arabic and English"),
           size=16, color="#CFEFFF", align="center")
    # small buttons in the band (assistant, window buttons), placed at the band's far end
    x = 200 if L.arabic else m.width - 200
    for command, caption, width in small_buttons:
        if L.arabic:
            m.button(x, 14, width, 36, command, caption, size=L.t(17, 16), radius=8)
            x += width + 10
        else:
            x -= width
            m.button(x, 14, width, 36, command, caption, size=L.t(17, 16), radius=8)
            x -= 10


def side_column(m, buttons, top=BAND + 22, height=46, gap=10, groups=(), clips=None):
    """The screen's commands as large buttons: on the right in Arabic, on the left in English.
    clips: command -> (clip name, caption of frame 1): the button is a clip whose frame 0 shows
    its caption and frame 1 the other, for a screen that names the button's state."""
    L = m.lang
    clips = clips or {}
    x = m.width - MARGIN - SIDE_W if L.arabic else MARGIN
    y = top
    for i, (command, caption) in enumerate(buttons):
        if i in groups:
            y += 10
        if command in clips:
            name, other = clips[command]
            m.add("clip " + name)
            for frame, text in enumerate((caption, other)):
                m.add("frame %d" % frame)
                m.button(x, y, SIDE_W, height, command, text)
            m.add("end")
        else:
            m.button(x, y, SIDE_W, height, command, caption)
        y += height + gap
    return y


def content_box(m, top=BAND + 20, bottom=None):
    """The area beside the command column."""
    L = m.lang
    bottom = bottom or m.height - 26 - 16
    if L.arabic:
        return MARGIN, top, m.width - 3 * MARGIN - SIDE_W, bottom - top
    return 2 * MARGIN + SIDE_W, top, m.width - 3 * MARGIN - SIDE_W, bottom - top


def keyboard_sketch(m, x, y, unit):
    """A small keyboard drawing for the welcome panel."""
    rows = [13, 12, 11, 10]
    for r, n in enumerate(rows):
        for k in range(n):
            kx = x + int(r * unit * 0.5) + k * unit
            m.add("roundrect %d %d %d %d radius=4 fill=%s border=%s pen=1" %
                  (kx, y + r * unit, unit - 4, unit - 4, WHITE if (r + k) % 5 else HOVER, NAVY))
    m.add("roundrect %d %d %d %d radius=4 fill=%s border=%s pen=1" %
          (x + 3 * unit, y + 4 * unit, 7 * unit - 4, unit - 4, WHITE, NAVY))


# ---------------------------------------------------------------- the screens

def main_menu(code):
    L = Lang(code)
    m = Movie("MainA" + code + ".swf", L, comment=L.t("main menu, Arabic", "main menu, English"))
    frame_of(m, L.t("القائمة الرئيسية", "Main Menu"),
             [("PlayAgent", L.t("المساعد", "Assistant"), 110), ("Exit", L.t("خروج", "Exit"), 90)])
    side_column(m, [
        ("Train", L.t("الدروس", "Lessons")),
        ("Test", L.t("اختبار السرعة", "Speed Test")),
        ("Games", L.t("الألعاب", "Games")),
        ("Results", L.t("النتائج", "Results")),
        ("Options", L.t("الخيارات", "Options")),
        ("Media", L.t("الوسائط", "Media")),
        ("Help", L.t("المساعدة", "Help")),
        ("About", L.t("حول البرنامج", "About")),
        ("NewUser", L.t("مستخدم جديد", "New User")),
    ], top=BAND + 18, height=44, gap=6, groups=(5,))
    x, y, w, h = content_box(m)
    m.panel(x, y, w, h)
    m.text(x + 24, y + 22, w - 48, 48, L.t("أهلاً بك في Tapwise", "Welcome to Tapwise"), size=L.t(34, 30),
           bold=True, color=HOVER, align="center")
    m.text(x + 24, y + 84, w - 48, 120,
           L.t("تعلّم الطباعة باللمس خطوة بخطوة: دروس قصيرة، تمارين على لوحة مفاتيح على الشاشة، "
               "واختبارات للسرعة والدقة.",
               "Learn to type by touch, step by step: short lessons, practice on an on-screen keyboard, "
               "and tests of your speed and accuracy."), size=L.t(21, 18), wrap=True)
    keyboard_sketch(m, x + (w - 13 * 30) // 2 - 8, y + 222, 30)
    m.text(x + 24, y + h - 64, w - 48, 44,
           L.t("اختر من القائمة للبدء", "Choose from the menu to begin"), size=L.t(20, 17), color="#CFEFFF",
           align="center")
    m.write()


def message(code):
    L = Lang(code)
    name = "Message.swf" if L.arabic else "MessageE.swf"
    m = Movie(name, L, 790, 487, comment=L.t("message form and lesson list, Arabic", "message form and lesson list, English"))
    m.add("background vgradient %s %s" % (STEEL, "#3F7386"))
    m.add("rect 0 0 790 58 fill=%s border=none" % NAVY)
    m.add("rect 0 58 790 4 fill=%s border=none" % HOVER)
    # the lesson list shows this movie too, so the title names no single use
    m.text(24, 0, 742, 58, "Tapwise", size=26, bold=True, align="center", font="Tahoma")
    m.add("clip Pages")
    m.add("frame 9")
    m.free(185, 157, 488, 158, "the four message lines")
    # tall enough to hold the lesson list too, which stands over the movie stretched to its form
    m.add("roundrect 160 106 540 268 radius=16 fill=%s border=%s pen=2" % (NAVY, WHITE))
    m.add("end")
    m.button(355, 382, 150, 50, "OK", L.t("موافق", "OK"), size=L.t(22, 19))
    m.add("rect 0 461 790 26 fill=#0B2E4A border=none")
    m.text(16, 461, 758, 26, L.t("برنامج تعليم الطباعة باللمس", "Touch typing for Arabic and English"),
           size=16, color="#CFEFFF", align="center")
    m.write()


def about(code):
    L = Lang(code)
    m = Movie("About.swf" if L.arabic else "AboutE.swf", L, comment=L.t("about form, Arabic", "about form, English"))
    frame_of(m, L.t("حول البرنامج", "About Tapwise"))
    x, y, w, h = MARGIN + 40, BAND + 36, W - 2 * MARGIN - 80, 330
    m.panel(x, y, w, h)
    m.text(x + 30, y + 20, w - 60, 56, "Tapwise", size=40, bold=True, color=HOVER, align="center", font="Tahoma")
    m.text(x + 30, y + 84, w - 60, 34, L.t("معلّم الطباعة باللمس بالعربية والإنجليزية",
                                          "The touch-typing tutor for Arabic and English"),
           size=L.t(24, 20), bold=True, align="center")
    m.text(x + 40, y + 138, w - 80, 150,
           L.t("يعلّمك Tapwise لوحة المفاتيح درساً بعد درس، مع لوحة مفاتيح على الشاشة تُريك موضع كل حرف، "
               "واختبار لتحديد المستوى، واختبار للسرعة، ونتائج تُظهر تقدّمك وألعاب تجعل التمرين ممتعاً.",
               "Tapwise teaches the keyboard lesson by lesson, with an on-screen keyboard that shows where "
               "every letter lies, a placement test, a timed speed test, results that show your progress, "
               "and games that make practice fun."), size=L.t(20, 17), wrap=True, align="center")
    m.text(x + 30, y + h - 52, w - 60, 30, L.t("الإصدار 1.0", "Version 1.0"), size=L.t(18, 16),
           color="#CFEFFF", align="center")
    m.button((W - 160) // 2, y + h + 30, 160, 50, "OK", L.t("موافق", "OK"), size=L.t(22, 19))
    m.write()


GAME_PANELS = [(125, 159), (278, 159), (431, 159), (584, 159), (278, 288), (429, 290), (577, 289)]


def games(code):
    L = Lang(code)
    m = Movie("Games.swf" if L.arabic else "GamesE.swf", L, comment=L.t("games menu, Arabic", "games menu, English"))
    frame_of(m, L.t("الألعاب", "Games"), [("PlayAgent", L.t("المساعد", "Assistant"), 110)])
    m.text(110, 92, 572, 40, L.t("اختر لعبة لتتمرّن وأنت تلعب", "Pick a game and practise while you play"),
           size=L.t(22, 19), bold=True, align="center")
    m.panel(105, 142, 624, 272)
    for gx, gy in GAME_PANELS:
        m.free(gx, gy, 130, 107, "a game button")
        m.add("rect %d %d 138 115 fill=%s border=none" % (gx - 4, gy - 4, "#0B2E4A"))
    # the grid's empty cell gets a key cap, so the panel does not look unfinished
    m.add("roundrect 153 303 76 56 radius=8 fill=#0A2A44 border=none")
    m.add("roundrect 150 300 76 56 radius=8 fill=#F4FAFF border=#7FB6D6 pen=1")
    m.text(150, 300, 76, 56, L.t("ع", "A"), size=34, color=NAVY, bold=True, align="center")
    m.text(121, 362, 138, 30, L.t("العب وتعلّم", "Play and learn"), size=L.t(18, 16), bold=True, align="center",
           color=HOVER)
    bx = W - MARGIN - 200 - 46 if L.arabic else MARGIN + 46
    m.button(bx, 446, 200, 50, "Return", L.t("رجوع", "Return"))
    m.write()


def options(code):
    L = Lang(code)
    m = Movie("Options.swf" if L.arabic else "OptionsE.swf", L, comment=L.t("options form, Arabic", "options form, English"))
    frame_of(m, L.t("الخيارات", "Options"), [("PlayAgent", L.t("المساعد", "Assistant"), 110)])
    y = side_column(m, [
        ("InterfaceLang", L.t("لغة الواجهة", "Language")),
        ("SoundEffects", L.t("المؤثرات الصوتية", "Sound Effects")),
        ("HighlightText", L.t("إضاءة النص المطبوع", "Highlight Text")),
        ("ShowAssistant", L.t("إظهار المساعد", "Show Assistant")),
    ], top=BAND + 30, height=50, gap=14)
    x = W - MARGIN - SIDE_W if L.arabic else MARGIN
    m.button(x, H - 26 - 16 - 2 * 50 - 14, SIDE_W, 50, "OK", L.t("موافق", "OK"))
    m.button(x, H - 26 - 16 - 50, SIDE_W, 50, "Cancel", L.t("إلغاء", "Cancel"))
    cx, cy, cw, ch = content_box(m, top=BAND + 30)
    m.add("clip Pages")
    m.add("frame 9")
    m.panel(cx, cy, cw, ch)
    m.text(cx + 24, cy + 16, cw - 48, 40, L.t("إعداداتك", "Your settings"), size=L.t(26, 22), bold=True, color=HOVER)
    m.text(cx + 24, cy + 62, cw - 48, 90,
           L.t("اختر لغة الواجهة، وشغّل المؤثرات الصوتية أو أوقفها، واختر ألوان النص من المربعات أدناه.",
               "Choose the interface language, switch sound effects on or off, and pick the text colours "
               "from the boxes below."), size=L.t(19, 16), wrap=True)
    m.add("rect %d %d %d 2 fill=%s border=none" % (cx + 24, cy + 160, cw - 48, PALE))
    m.free(cx + 24, cy + 176, cw - 48, ch - 200, "the check boxes, labels and colour panels")
    m.add("end")
    m.write()


def beginner(code):
    L = Lang(code)
    m = Movie("Beginner.swf" if L.arabic else "BeginnerE.swf", L, 592, 368,
              comment=L.t("first training visit, Arabic", "first training visit, English"))
    m.add("background vgradient %s %s" % (SKY, DEEP))
    m.add("rect 0 0 592 56 fill=%s border=none" % NAVY)
    m.add("rect 0 56 592 4 fill=%s border=none" % HOVER)
    m.text(20, 0, 552, 56, L.t("مرحباً بك في الدروس", "Welcome to the lessons"), size=L.t(27, 23), bold=True,
           align="center")
    m.panel(24, 78, 544, 150)
    m.text(44, 92, 504, 124,
           L.t("هل تعرف الطباعة من قبل؟ خذ اختبار تحديد المستوى لنبدأ من الدرس المناسب لك، "
               "أو ابدأ من الدرس الأول كمبتدئ.",
               "Have you typed before? Take the placement test and start at the lesson that suits you, "
               "or begin with lesson one as a beginner."), size=L.t(21, 18), wrap=True, align="center")
    first, second = ("EnterExam", L.t("اختبار تحديد المستوى", "Placement Test")), ("Beginner", L.t("ابدأ كمبتدئ", "Start As Beginner"))
    left, right = (second, first) if L.arabic else (first, second)
    m.button(44, 262, 240, 56, left[0], left[1])
    m.button(308, 262, 240, 56, right[0], right[1])
    m.write()


def training(code):
    L = Lang(code)
    m = Movie("Training.swf" if L.arabic else "TrainingE.swf", L, comment=L.t("lesson form, Arabic", "lesson form, English"))
    frame_of(m, "", [("PlayAgent", L.t("المساعد", "Assistant"), 110), ("Return", L.t("رجوع", "Return"), 100)])
    side_column(m, [
        ("Quiz1", L.t("التمرين الأول", "Practice 1")),
        ("Quiz2", L.t("التمرين الثاني", "Practice 2")),
        ("Quiz3", L.t("التمرين الثالث", "Practice 3")),
        ("PrevLesson", L.t("الدرس السابق", "Previous Lesson")),
        ("NextLesson", L.t("الدرس التالي", "Next Lesson")),
        ("History", L.t("قائمة الدروس", "Lesson List")),
        ("UserLevel", L.t("تحديد المستوى", "Typist Level")),
    ], top=BAND + 22, height=46, gap=10, groups=(3, 5))
    cx, cy, cw, ch = content_box(m, top=BAND + 12, bottom=H - 26 - 10)
    m.comment("free for the screen: the lesson title in the title band at %d, 0, 340 x %d" %
              (W - 24 - 340 if L.arabic else 24, BAND))
    m.free(cx, cy, cw, 224, "the page view and the typing panel")
    m.add("roundrect %d %d %d %d radius=10 fill=%s border=%s pen=2" % (cx - 4, cy - 4, cw + 8, 232, PAGE, WHITE))
    # the page's own buttons, under the page: turning pages, then its sound
    ty = cy + 236
    row = [(104, "PrevHist", L.t("السابقة", "Previous")), (104, "StartHist", L.t("التالية", "Next")),
           (84, "Play", L.t("تشغيل", "Play")), (112, "Pause", L.t("إيقاف مؤقت", "Pause")), (84, "Stop", L.t("إيقاف", "Stop"))]
    gap = (cw - sum(w for w, _, _ in row)) // (len(row) - 1)
    x = cx + cw if L.arabic else cx
    for w, command, caption in row:
        if L.arabic:
            x -= w
        m.button(x, ty, w, 34, command, caption, size=L.t(17, 16), radius=8)
        x = x - gap if L.arabic else x + w + gap
    ky = ty + 46
    m.free(cx, ky, cw, cy + ch - ky, "the keyboard movie and its key buttons")
    m.add("roundrect %d %d %d %d radius=10 fill=%s border=%s pen=2" % (cx - 4, ky - 4, cw + 8, cy + ch - ky + 8, PANEL_FRAME, WHITE))
    m.write()


def tests(code):
    L = Lang(code)
    m = Movie("SpeedTest.swf" if L.arabic else "SpeedTestE.swf", L,
              comment=L.t("placement and speed tests, Arabic", "placement and speed tests, English"))
    frame_of(m, L.t("اختبار الطباعة", "Typing Test"),
             [("PlayAgent", L.t("المساعد", "Assistant"), 110), ("Minimize", "_", 44), ("Close", "X", 44)])
    side_column(m, [
        ("Start", L.t("إبدأ", "Start")),
        ("Pause", L.t("توقف مؤقت", "Pause")),
        ("Stop", L.t("توقف", "Stop")),
        ("OpenFile", L.t("اختيار نص", "Choose Text")),
        ("Return", L.t("رجوع", "Return")),
    ], top=BAND + 30, height=50, gap=14, groups=(3, 4),
        clips={"Pause": ("PauseButton", L.t("متابعة", "Continue"))})
    cx, cy, cw, ch = content_box(m, top=BAND + 16)
    m.free(cx, cy, cw, 40, "the text name, text list and duration list")
    m.add("roundrect %d %d %d 48 radius=8 fill=%s border=%s pen=2" % (cx - 4, cy - 4, cw + 8, PANEL_FRAME, WHITE))
    m.free(cx, cy + 56, cw, 260, "the typing surface")
    m.add("roundrect %d %d %d 268 radius=8 fill=%s border=%s pen=2" % (cx - 4, cy + 52, cw + 8, PANEL_FRAME, WHITE))
    # the four counters: a caption over each panel
    labels = [L.t("صحيح", "Correct"), L.t("خطأ", "Wrong"), L.t("الثواني", "Seconds"), L.t("السرعة", "Speed")]
    if L.arabic:
        labels.reverse()
    gw = (cw - 3 * 12) // 4
    for i, caption in enumerate(labels):
        gx = cx + i * (gw + 12)
        m.text(gx, cy + 328, gw, 26, caption, size=L.t(18, 16), bold=True, align="center")
        m.free(gx, cy + 356, gw, 34, "a counter panel")
        m.add("roundrect %d %d %d 42 radius=6 fill=%s border=%s pen=2" % (gx - 4, cy + 352, gw + 8, PANEL_FRAME, WHITE))
    m.free(cx, cy + 404, cw, 24, "the gauge")
    m.add("roundrect %d %d %d 32 radius=6 fill=%s border=%s pen=2" % (cx - 4, cy + 400, cw + 8, PANEL_FRAME, WHITE))
    m.write()


def results(first, code):
    L = Lang(code)
    m = Movie("Results" + first + code + ".swf", L, comment=L.t("results form, Arabic", "results form, English"))
    frame_of(m, L.t("النتائج", "Results"), [("PlayAgent", L.t("المساعد", "Assistant"), 110)])
    side_column(m, [
        ("Summary", L.t("الخلاصة", "Summary")),
        ("Proficiency", L.t("البراعة", "Proficiency")),
        ("Progress", L.t("التطور", "Progress")),
        ("Graph", L.t("رسم بياني", "Graphics")),
        ("Return", L.t("رجوع", "Return")),
    ], top=BAND + 30, height=50, gap=14, groups=(4,))
    cx, cy, cw, ch = content_box(m, top=BAND + 16)
    m.add("clip Pages")
    m.add("frame 9")
    m.free(cx, cy, cw, ch, "the results pages and their buttons")
    m.panel(cx - 4, cy - 4, cw + 8, ch + 8)
    m.add("end")
    m.write()


# ---------------------------------------------------------------- keyboards

# (virtual-key code, Latin unshifted, Latin shifted, Arabic 101 unshifted, width in key units)
ROWS = [
    [(192, "`", "~", "ذ", 1), (49, "1", "!", "", 1), (50, "2", "@", "", 1), (51, "3", "#", "", 1),
     (52, "4", "$", "", 1), (53, "5", "%", "", 1), (54, "6", "^", "", 1), (55, "7", "&", "", 1),
     (56, "8", "*", "", 1), (57, "9", "(", "", 1), (48, "0", ")", "", 1), (189, "-", "_", "", 1),
     (187, "=", "+", "", 1), (8, "Backspace", "", "", 2)],
    [(9, "Tab", "", "", 1.5), (81, "Q", "", "ض", 1), (87, "W", "", "ص", 1), (69, "E", "", "ث", 1),
     (82, "R", "", "ق", 1), (84, "T", "", "ف", 1), (89, "Y", "", "غ", 1), (85, "U", "", "ع", 1),
     (73, "I", "", "ه", 1), (79, "O", "", "خ", 1), (80, "P", "", "ح", 1), (219, "[", "{", "ج", 1),
     (221, "]", "}", "د", 1), (220, "\\", "|", "", 1.5)],
    [(20, "Caps", "", "", 1.75), (65, "A", "", "ش", 1), (83, "S", "", "س", 1), (68, "D", "", "ي", 1),
     (70, "F", "", "ب", 1), (71, "G", "", "ل", 1), (72, "H", "", "ا", 1), (74, "J", "", "ت", 1),
     (75, "K", "", "ن", 1), (76, "L", "", "م", 1), (186, ";", ":", "ك", 1), (222, "'", "\"", "ط", 1),
     (13, "Enter", "", "", 2.25)],
    [(16, "Shift", "", "", 2.25), (90, "Z", "", "ئ", 1), (88, "X", "", "ء", 1), (67, "C", "", "ؤ", 1),
     (86, "V", "", "ر", 1), (66, "B", "", "لا", 1), (78, "N", "", "ى", 1), (77, "M", "", "ة", 1),
     (188, ",", "<", "و", 1), (190, ".", ">", "ز", 1), (191, "/", "?", "ظ", 1), (161, "Shift", "", "", 2.75)],
    [(32, "", "", "", 6.25)],
]
KEY = 48
KB_W, KB_H = 15 * KEY + 24, 5 * KEY + 24


def cp1256_char(code):
    try:
        return bytes([code]).decode("cp1256")
    except UnicodeDecodeError:
        return None


def key_aliases(code):
    """The names a key's clip answers to besides its decimal code: the one-character string of
    the code, read as Latin-1 and as code page 1256 (the two ways a caller may widen it)."""
    names = []
    if code == 161:                 # the right Shift: reached by its code only
        return names
    for ch in (chr(code), cp1256_char(code)):
        if ch and ch.isprintable() and ch != " " and ch not in names:
            names.append(ch)
    if code == 32:
        names.append(" ")
    return names


def keyboard(code):
    L = Lang(code)
    m = Movie("KeyBoard.swf" if L.arabic else "KeyBoardE.swf", L, KB_W, KB_H,
              comment=L.t("on-screen keyboard, Arabic 101 layout", "on-screen keyboard, US layout"))
    m.comment("one clip per key, named by its virtual-key code and aliased by its character;")
    m.comment("frame 0 shows the key up, frame 1 the key down, frame 2 the key to press next")
    m.add("background vgradient %s %s" % (PANEL_FRAME, "#0E3F60"))
    space_x = 12 + int(3.75 * KEY)
    for r, row in enumerate(ROWS):
        x = 12.0 if r < 4 else space_x
        y = 12 + r * KEY
        for vk, latin, shifted, arabic, units in row:
            kw = int(units * KEY) - 4
            kx = int(x)
            x += units * KEY
            aliases = " ".join("alias=" + q(a) for a in key_aliases(vk))
            m.add(("clip %d %s" % (vk, aliases)).rstrip())
            looks = ((0, "#F4FAFF", "#7FB6D6", 1, 0), (1, HOVER, PRESSED, 1, 2), (2, NEXT_KEY, NEXT_KEY_BORDER, 3, 0))
            for frame, fill, border, pen, shift in looks:
                ink = NAVY
                m.add("frame %d" % frame)
                if shift == 0:              # a key that is up casts its shadow
                    m.add("roundrect %d %d %d %d radius=6 fill=#0A2A44 border=none" % (kx + 2, y + 3, kw, KEY - 4))
                m.add("roundrect %d %d %d %d radius=6 fill=%s border=%s pen=%d" %
                      (kx + shift, y + shift, kw, KEY - 4, fill, border, pen))
                bx, by = kx + shift, y + shift
                if len(latin) > 1:          # a named key
                    name = latin
                    if L.arabic:
                        name = {"Backspace": "مسح", "Tab": "جدولة", "Caps": "تثبيت", "Enter": "إدخال",
                                "Shift": "تبديل"}.get(latin, latin)
                        m.add("text %d %d %d %d %s font=%s size=17 color=%s align=center rtl" %
                              (bx, by, kw, KEY - 4, q(name), q(L.font), ink))
                    else:
                        m.add("text %d %d %d %d %s font=\"Tahoma\" size=16 color=%s align=center" %
                              (bx, by, kw, KEY - 4, q(name), ink))
                elif vk == 32:
                    continue
                elif L.arabic and arabic:
                    m.add("text %d %d 22 20 %s font=\"Tahoma\" size=16 color=#4A7FA3 align=center" %
                          (bx + 3, by + 2, q(latin)))
                    m.add("text %d %d %d 30 %s font=%s size=24 color=%s align=right rtl bold" %
                          (bx + 4, by + 12, kw - 10, q(arabic), q(L.font), ink))
                else:
                    if shifted:
                        m.add("text %d %d 24 20 %s font=\"Tahoma\" size=16 color=#4A7FA3 align=center" %
                              (bx + 4, by + 2, q(shifted)))
                        m.add("text %d %d 24 22 %s font=\"Tahoma\" size=18 color=%s align=center bold" %
                              (bx + 4, by + 20, q(latin), ink))
                    else:
                        m.add("text %d %d %d %d %s font=\"Tahoma\" size=20 color=%s align=center bold" %
                              (bx, by, kw, KEY - 4, q(latin), ink))
            m.add("end")
    m.write()


def main():
    for code in "AE":
        main_menu(code)
        message(code)
        about(code)
        games(code)
        options(code)
        beginner(code)
        training(code)
        tests(code)
        keyboard(code)
        results("A", code)
        results("E", code)


if __name__ == "__main__":
    main()
