#!/usr/bin/env python3
"""Makes the sounds of the data tree: the effects (sox), the welcome prompts and the page
sounds that say each lesson page's key in Arabic (espeak-ng, voice "ar"), and the flying-words
game's two effects beside its program (games/Words/Effects).

    python3 tools/make_sounds.py [data-folder]

The results are committed; a build needs neither tool."""
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True     # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from course.lessons import read_lessons  # noqa: E402
from make_course import page_sound_texts  # noqa: E402

VOICE_RATE = "16000"       # prompts
PAGE_RATE = "22050"        # page sounds: clear speech without an audible noise floor

WELCOME = {
    "NewUserA.wav": ("ar", "أهلا وسهلا بك. هيا نتعلم الكتابة باللمس معا."),
    "NewUserE.wav": ("en", "Welcome! Let's learn touch typing together."),
}


def sox(*args):
    # -R: repeatable dither, so that a rerun gives the same files
    subprocess.run(["sox", "-R", *args], check=True)


def effects(folder, work):
    mono = ["-r", "22050", "-c", "1", "-b", "16", "-e", "signed-integer"]
    sox("-n", *mono, os.path.join(folder, "Tick.wav"),
        "synth", "0.025", "sine", "1800", "fade", "q", "0.002", "0.025", "0.015", "vol", "0.4")
    sox("-n", *mono, os.path.join(folder, "Typing.wav"),
        "synth", "0.04", "pinknoise", "band", "2500", "1500", "fade", "q", "0.001", "0.04", "0.03", "vol", "0.8")
    sox("-n", *mono, os.path.join(folder, "WrongChar.wav"),
        "synth", "0.2", "square", "170", "vol", "0.3", "lowpass", "1200", "fade", "0.005", "0.2", "0.06")
    notes = []
    for i, (freq, length) in enumerate([("523.25", "0.12"), ("659.25", "0.12"), ("783.99", "0.12"),
                                        ("1046.5", "0.35")]):
        note = os.path.join(work, f"note{i}.wav")
        sox("-n", *mono, note, "synth", length, "sine", freq, "fade", "0.005", length, "0.05", "vol", "0.5")
        notes.append(note)
    sox(*notes, os.path.join(folder, "WellDone.wav"))


def game_effects(folder):
    mono = ["-r", "22050", "-c", "1", "-b", "16", "-e", "signed-integer"]
    # a right letter: a short bright pop; a wrong one or a time-out: a low buzz
    sox("-n", *mono, os.path.join(folder, "KeyPress.wav"),
        "synth", "0.06", "sine", "1320-880", "fade", "q", "0.002", "0.06", "0.04", "vol", "0.5")
    sox("-n", *mono, os.path.join(folder, "WrongChar.wav"),
        "synth", "0.18", "sawtooth", "140", "vol", "0.3", "lowpass", "900", "fade", "0.005", "0.18", "0.05")


def speak(voice, text, out, rate, work):
    raw = os.path.join(work, "speech.wav")
    subprocess.run(["espeak-ng", "-v", voice, "-s", "160", "-w", raw, text], check=True)
    sox(raw, "-r", rate, "-c", "1", "-b", "16", "-e", "signed-integer", out, "silence", "1", "0.02", "0.5%",
        "reverse", "silence", "1", "0.02", "0.5%", "reverse", "norm", "-1")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    effects_dir = os.path.join(data, "effects")
    pages_dir = os.path.join(data, "ASnd")
    os.makedirs(effects_dir, exist_ok=True)
    game_dir = os.path.join(data, "games", "Words", "Effects")
    os.makedirs(pages_dir, exist_ok=True)
    os.makedirs(game_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        effects(effects_dir, work)
        game_effects(game_dir)
        for name, (voice, text) in WELCOME.items():
            speak(voice, text, os.path.join(effects_dir, name), VOICE_RATE, work)
        for stem, text in page_sound_texts(read_lessons()).items():
            speak("ar", text, os.path.join(pages_dir, stem + ".wav"), PAGE_RATE, work)


if __name__ == "__main__":
    main()
