"""Reads lessons.txt, the one list of the keys each lesson teaches."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
LESSONS_FILE = os.path.join(HERE, "lessons.txt")


class Lesson:
    def __init__(self, number, keys, title_ar, title_en):
        self.number = number
        self.keys = keys            # tokens; "لا" is one key that types two letters
        self.title_ar = title_ar
        self.title_en = title_en

    @property
    def chars(self):
        return {c for key in self.keys for c in key}


def read_lessons(path=LESSONS_FILE):
    lessons = []
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                raise ValueError(f"{path}:{lineno}: expected 4 tab-separated fields")
            number = int(fields[0])
            if number != len(lessons) + 1:
                raise ValueError(f"{path}:{lineno}: lesson {number} out of order")
            lessons.append(Lesson(number, fields[1].split(), fields[2], fields[3]))
    return lessons


def taught_chars(lessons):
    """Characters a learner may meet in each lesson's practices: every key taught up to
    and including that lesson, and the space bar. Index 0 is lesson 1."""
    allowed, result = {" "}, []
    for lesson in lessons:
        allowed = allowed | lesson.chars
        result.append(frozenset(allowed))
    return result
