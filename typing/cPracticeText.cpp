#include "typing/cPracticeText.h"

#include "platform/Random.h"
#include "typing/cRandomText.h"

#include <cmath>

namespace {
constexpr int kLongerThan = 30;
constexpr qint16 kPracticeLines = 50;
} // namespace

QString CustomPracticeLine(const QStringList &letters)
{
    if (!letters.isEmpty())
        return RandomWords(letters, kLongerThan).toLower();
    // The same draws as for a word of letters, each giving an empty entry.
    QString text;
    while (text.size() <= kLongerThan) {
        do
            platform::rnd();
        while (int(std::floor(3.0 * platform::rnd())) != 0);
        text += QLatin1Char(' ');
    }
    return text;
}

cPractice MakeCustomPractice(const QStringList &letters)
{
    cPractice practice;
    practice.bShowMessageBox = false;
    practice.sTitle = QStringLiteral("تدريب - دروس خاصة");
    practice.SetNumOfSessions(kPracticeLines);
    practice.sLetters = letters.join(QString());
    practice.History.source = HistoryRecord::Source::CustomLetters;
    for (qint16 line = 1; line <= kPracticeLines; ++line)
        practice.AddText(line, CustomPracticeLine(letters));
    return practice;
}
