"""What Zarek, the assistant character, says on each screen, and where he stands.

Each screen has a story in each interface language: where Zarek stands (in the screen's own
pixels, from its top left; the page gives it on the 1024 x 768 layout the tutor fits to the
screen), the way he points while he talks about the screen's commands, and two short things he
says. The Arabic screens have their commands on the right, the English ones on the left."""

# page file -> (stem of its sounds, the calling screen's size)
PAGES = {
    "zarek welcom.htm": ("welcome", (792, 566)),
    "zarek entr class.htm": ("menu", (792, 566)),
    "Class.htm": ("class", (792, 566)),
    "Lessons.htm": ("lessons", (792, 566)),
    "Beginner.htm": ("beginner", (592, 368)),
    "EntrncTst.htm": ("placement", (792, 566)),
    "SpeedScrn.htm": ("speed", (792, 566)),
    "Results.htm": ("results", (792, 566)),
    "OptnSc.htm": ("options", (792, 566)),
    "Games.htm": ("games", (792, 566)),
}

TITLES = {
    "welcome": ("مرحبا بك في Tapwise", "Welcome to Tapwise"),
    "menu": ("القائمة الرئيسية", "The main menu"),
    "class": ("الدروس", "The lessons"),
    "lessons": ("قائمة الدروس", "The lesson list"),
    "beginner": ("من أين تبدأ", "Where to begin"),
    "placement": ("اختبار تحديد المستوى", "The placement test"),
    "speed": ("اختبار السرعة", "The speed test"),
    "results": ("النتائج", "Your results"),
    "options": ("الخيارات", "Options"),
    "games": ("الألعاب", "Games"),
}

# stem -> language -> (where he stands (x, y), the way he points, first words, second words)
# He stands where his balloon, above his head, covers least of what the screen's words name.
STORIES = {
    "welcome": {
        "A": ((300, 392), "PointRight",
              "مرحبا! أنا زارك، صديقك في تعلم الكتابة باللمس.",
              "سأعرّفك بكل شاشة في أول زيارة لها، ويمكنك أن تناديني متى شئت بزر المساعد."),
        "E": ((400, 392), "PointLeft",
              "Hello! I'm Zarek, your friend for learning to type by touch.",
              "I'll show you each screen the first time you visit it, and the Assistant button calls me back."),
    },
    "menu": {
        "A": ((300, 392), "PointRight",
              "هذه هي القائمة الرئيسية. ابدأ بالدروس: كل درس يعلّمك بضعة مفاتيح وينتهي بثلاثة تمارين.",
              "اختبار السرعة يقيس كم كلمة تكتب في الدقيقة، والنتائج تريك كيف تتقدم."),
        "E": ((400, 392), "PointLeft",
              "This is the main menu. Start with Lessons: each one teaches a few keys and ends with three practices.",
              "Speed Test measures your words per minute, and Results shows how you are improving."),
    },
    "class": {
        "A": ((200, 432), "PointRight",
              "اقرأ صفحة الدرس في الأعلى، وتنقّل بين صفحاته بزرّي التالية والسابقة.",
              "وحين تكون جاهزا اختر أحد التمارين الثلاثة، واكتب دون أن تنظر إلى لوحة المفاتيح."),
        "E": ((520, 432), "PointLeft",
              "Read the lesson's page above, and turn its pages with Next and Previous.",
              "When you are ready, choose one of the three practices and type without looking at the keyboard."),
    },
    "lessons": {
        "A": ((40, 300), "PointRight",
              "هذه هي الدروس الثلاثون كلها، من صف الارتكاز إلى الفقرات الكاملة.",
              "اختر الدرس الذي تريده من القائمة لتنتقل إليه مباشرة."),
        "E": ((40, 300), "PointRight",
              "Here are all thirty lessons, from the home row to whole paragraphs.",
              "Choose a lesson from the list to go straight to it."),
    },
    "beginner": {
        "A": ((600, 200), "PointLeft",
              "هل كتبت على لوحة المفاتيح من قبل؟ اختبار تحديد المستوى يجد لك الدرس المناسب.",
              "وإن كانت هذه أول مرة فابدأ كمبتدئ من الدرس الأول."),
        "E": ((-136, 200), "PointRight",
              "Have you typed before? The placement test finds the lesson that suits you.",
              "If this is your first time, start as a beginner with lesson one."),
    },
    "placement": {
        "A": ((200, 265), "PointRight",
              "هذا الاختبار يحدد الدرس المناسب لك. اضغط إبدأ واكتب النص الظاهر بأفضل ما تستطيع.",
              "سرعتك ودقتك تحددان من أين تبدأ، فلا تستعجل."),
        "E": ((560, 265), "PointLeft",
              "This test finds the right lesson for you. Press Start and type the text shown as well as you can.",
              "Your speed and accuracy decide where you begin, so take your time."),
    },
    "speed": {
        "A": ((200, 265), "PointRight",
              "اختر نصا ومدة للاختبار، ثم اضغط إبدأ وابدأ الكتابة.",
              "عند انتهاء الوقت ترى سرعتك بالكلمات في الدقيقة ودقتك في الكتابة."),
        "E": ((560, 265), "PointLeft",
              "Choose a text and how long the test lasts, then press Start and type.",
              "When the time is up you see your speed in words per minute and your accuracy."),
    },
    "results": {
        "A": ((620, 420), "PointLeft",
              "هنا نتائجك: الخلاصة تعرض سرعتك ودقتك، والتطور يعرض كل اختبار أجريته.",
              "والبراعة ترسم لك المفاتيح التي تتقنها والتي تحتاج إلى مزيد من التمرين."),
        "E": ((70, 420), "PointRight",
              "Here are your results: Summary shows your speed and accuracy, and Progress lists every test you took.",
              "Proficiency maps the keys you type well and the ones that need more practice."),
    },
    "options": {
        "A": ((800, 300), "PointLeft",
              "اختر هنا لغة الواجهة، والمؤثرات الصوتية، وألوان النص الذي تكتبه.",
              "ويمكنك أن توقفني من زر إظهار المساعد. اضغط موافق لحفظ ما غيّرته."),
        "E": ((-136, 300), "PointRight",
              "Choose the interface language, the sound effects and the colours of the text you type.",
              "You can switch me off with Show Assistant. Press OK to keep your changes."),
    },
    "games": {
        "A": ((120, 410), "PointRight",
              "الألعاب تمرين ممتع. اختر لعبة من اللوحة لتبدأ.",
              "في لعبة الكلمات الطائرة اكتب كل كلمة قبل أن تصل إلى الأرض."),
        "E": ((560, 410), "PointLeft",
              "Games are practice that feels like play. Pick a game from the board to start.",
              "In the flying words game, type each word before it reaches the ground."),
    },
}

LAYOUT = (1024, 768)


def layout_point(point, screen):
    """A point of the screen on the 1024 x 768 layout of the pages: the tutor centres that layout
    on the calling screen, so the page adds half of the difference back."""
    return (point[0] + (LAYOUT[0] - screen[0]) // 2, point[1] + (LAYOUT[1] - screen[1]) // 2)


def sound_name(stem, language, part):
    return f"{stem}-{language}-{part}.wav"


def sounds():
    """Every sound the pages name: file name -> (espeak-ng voice, words)."""
    out = {}
    for stem, stories in STORIES.items():
        for language, (_, _, first, second) in stories.items():
            voice = "ar" if language == "A" else "en"
            out[sound_name(stem, language, 1)] = (voice, first)
            out[sound_name(stem, language, 2)] = (voice, second)
    return out
