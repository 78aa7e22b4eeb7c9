#!/usr/bin/env python3
"""Remakes the adaptive trainer's word lists, resources/words/english.txt and arabic.txt.

Sources (Debian packages, installed with apt-get):
  English: wamerican            /usr/share/dict/american-english
  Arabic:  hunspell-ar          /usr/share/hunspell/ar.dic (nouns, verb forms, particles)
           aspell-ar-large      its word forms, through `aspell dump master | aspell expand`
           aspell               the program that expands them

A word is kept only as the typing pad types it: letters of the training layout only, no diacritics,
no tatweel. English drops capitalised entries (proper names), entries with an apostrophe or other
marks, and vowel-less letter runs (abbreviations). Arabic keeps a word of hunspell-ar only where
aspell-ar-large also knows it as a form, so an entry one dictionary got wrong is left out, and adds
the definite-article forms (ال + word) that aspell-ar-large gives for those words.

Run from the repository: scripts/make-wordlists.py   (then look at the counts it prints and commit
the two lists and the copyright files with resources/words/SOURCES.md updated if the package
versions changed)
"""

import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "words")

ENGLISH_SOURCE = "/usr/share/dict/american-english"
HUNSPELL_AR = "/usr/share/hunspell/ar.dic"

# What the US layout's letter keys type, and the Arabic (101) layout's letters (hamza forms included:
# أ إ آ by Shift on their keys, ء ئ ؤ on keys of their own). ٱ, ی, ک, ھ and the like have no key.
ENGLISH_LETTERS = set("abcdefghijklmnopqrstuvwxyz")
ARABIC_LETTERS = set("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي")
# Harakat (fathatan .. sukun) and the tatweel: the lists hold words without them.
STRIP = re.compile("[\u064b-\u0652\u0640]")

# Words no learner should be handed in a practice line, whatever their keys: vulgar words and slurs
# (English as whole words and their regular endings, Arabic stems wherever they stand in a form).
ENGLISH_VULGAR = re.compile(r"^(shit|bullshit|fuck|cunt|cock|dick|piss|bitch|bastard|whore|slut|"
                            r"twat|wank|arse|ass|asshole|crap|fag|faggot|nigger|nigga|dyke|spic|"
                            r"kike|chink|gook|wop|retard|tit|tits|turd|prick|pussy|boob|porn|"
                            r"rape|rapist|penis|vagina|anal|anus|orgasm|sex|sexy|horny|hooker|queer)"
                            r"(s|es|ed|er|ers|ing|y|ier|iest)?$")
ARABIC_VULGAR = "ضرط|شرموط|قحب|عاهر|طيز|منيوك|متناك"
# The name of God (with its clitics: بالله، والله، لله) is no drill material.
ARABIC_LEFT_OUT = re.compile(ARABIC_VULGAR + "|الله|^[وفبت]?لله$")

ENGLISH_LENGTH = (2, 10)
ARABIC_LENGTH = (2, 9)


def package_version(name):
    try:
        return subprocess.run(["dpkg-query", "-W", "-f=${Version}", name], capture_output=True,
                              text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return "not installed"


def english():
    words = set()
    with open(ENGLISH_SOURCE, encoding="utf-8") as f:
        for line in f:
            w = line.strip()
            lo, hi = ENGLISH_LENGTH
            if not (lo <= len(w) <= hi) or not set(w) <= ENGLISH_LETTERS:
                continue  # capitals (names), apostrophes, accented letters, too short or long
            if not re.search("[aeiouy]", w):
                continue  # letter runs without a vowel are abbreviations
            if ENGLISH_VULGAR.match(w):
                continue
            words.add(w)
    return words


def hunspell_arabic():
    """Words of hunspell-ar's nouns, verb forms and particles. Its noun file (names.dic: أسماء, nouns)
    opens with proper names (the name of God with its clitics, countries, capitals, people's names)
    up to its heading of common nouns, and closes with the authors' credits after a line of #####;
    both are left out (the names also where they stand among the common words), as is the list of
    particle and clitic combinations (stopwords.dic), whose forms a learner never meets."""
    words = set()
    names = set()  # the proper names, left out wherever else they stand
    section = None
    part = None  # in names.dic: "names", "nouns", "credits"
    with open(HUNSPELL_AR, encoding="utf-8") as f:
        next(f)  # the entry count
        for line in f:
            line = line.rstrip("\n")
            if line.startswith(":::"):
                continue
            if line.endswith(".dic"):
                section = line
                part = "names" if section == "names.dic" else None
                continue
            if section == "names.dic" and line.startswith("####الأسماء####"):
                part = "nouns"
            elif section == "names.dic" and line.strip() == "#####":
                part = "credits"
            if section == "stopwords.dic" or line.startswith("#") or part == "credits":
                continue
            w = STRIP.sub("", line.split("\t")[0].split("/")[0])
            if part == "names":
                names.add(w)
                continue
            lo, hi = ARABIC_LENGTH
            if lo <= len(w) <= hi and set(w) <= ARABIC_LETTERS and not ARABIC_LEFT_OUT.search(w):
                words.add(w)
    return words - names


def aspell_forms():
    """Every word form aspell-ar-large accepts, one expansion line (a stem and its forms) at a time."""
    dump = subprocess.Popen(["aspell", "--lang=ar-large", "--master=ar-large", "dump", "master"],
                            stdout=subprocess.PIPE)
    expand = subprocess.Popen(["aspell", "--lang=ar-large", "--master=ar-large", "expand"],
                              stdin=dump.stdout, stdout=subprocess.PIPE, text=True, encoding="utf-8")
    dump.stdout.close()
    for line in expand.stdout:
        yield from line.split()
    if expand.wait() != 0 or dump.wait() != 0:
        sys.exit("aspell failed: is aspell-ar-large installed?")


def arabic():
    base = hunspell_arabic()
    with_article = {"ال" + w: w for w in base}
    kept = set()
    for form in aspell_forms():
        if form in base:
            kept.add(form)
        elif form in with_article and len(form) <= ARABIC_LENGTH[1]:
            kept.add(form)
    return {w for w in kept if not ARABIC_LEFT_OUT.search(w)}


def write(name, words):
    path = os.path.join(OUT, name)
    with open(path, "w", encoding="utf-8") as f:
        for w in sorted(words):
            f.write(w + "\n")
    print(f"{name}: {len(words)} words, {os.path.getsize(path)} bytes")


def main():
    os.makedirs(OUT, exist_ok=True)
    for package in ("wamerican", "hunspell-ar", "aspell-ar-large", "aspell"):
        print(f"{package} {package_version(package)}")
    # The lists' licences ask for their notices to go with every copy.
    for package in ("wamerican", "hunspell-ar", "aspell-ar-large"):
        shutil.copyfile(f"/usr/share/doc/{package}/copyright", os.path.join(OUT, f"copyright-{package}.txt"))
    write("english.txt", english())
    write("arabic.txt", arabic())


if __name__ == "__main__":
    main()
