#pragma once

#include "speech/cSpeechEngine.h"

#include <QString>

// What the spoken mode says about typing, apart from any window: a line read in the voices of its
// scripts, letters named, and the next letter to type with its key and finger. The interface speaks
// Arabic; only the text being learnt may be English.
class cSpokenText
{
public:
    // The name a letter is spoken by. Arabic letters, marks and punctuation and the blank have Arabic
    // names (an engine gives a lone Arabic letter its sound, not its name); a Latin letter is itself,
    // as a clause of its own (an engine names a lone letter), a capital with "capital" before it.
    static SpokenPart LetterName(QChar cLetter);

    // A line as it is read before typing: runs of Arabic and of Latin script each in their own voice;
    // a letter standing alone between blanks is named.
    static Utterance Line(const QString &sLine);

    // A text of the interface (a title, a name, a message) in the voices of its scripts; dashes and
    // dots standing alone are left unsaid.
    static Utterance Text(const QString &sText);

    // The letter at `iIndex` of the line, then its key and the finger that types it, in the training
    // layout: "ت، المفتاح J، السبابة اليمنى". Past the end of the line: the line's end.
    static Utterance NextLetter(const QString &sLine, qsizetype iIndex, bool bArabicLayout);

    // Where a letter is typed: its X keycode and whether it needs Shift; keycode 0 when no key of the
    // layout gives it.
    struct KeyPlace
    {
        quint32 iKeycode = 0;
        bool bShift = false;
    };
    static KeyPlace KeyOf(QChar cLetter, bool bArabicLayout);

    // The key as it is named: its Latin label, or a word for a key whose label is a mark.
    static QString KeyName(quint32 iKeycode);

    // 0 left little ... 3 left index, 4 right index ... 7 right little, 8 a thumb; -1 for no key.
    static int FingerOf(quint32 iKeycode);
    static QString FingerName(int iFinger);

    static bool IsArabicScript(QChar c);
};
