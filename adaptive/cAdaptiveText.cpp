// STAND-IN (not to land).
#include "adaptive/cAdaptiveText.h"

#include "platform/Random.h"

QString cAdaptiveText::MakeLine(const QString &allowed, const QString &focus, const QStringList &,
                                int iLength) const
{
    QString letters;
    for (QChar c : allowed)
        if (c != QChar(0xFEFB) && (m_arabic || c.isLower() || !c.isLetter()) && c != QLatin1Char(';') && c != QLatin1Char(','))
            letters += c;
    QString focusLetters;
    for (QChar c : focus)
        if (letters.contains(c))
            focusLetters += c;
    if (focusLetters.isEmpty())
        focusLetters = letters.left(1);
    QString line;
    while (line.size() < iLength) {
        QString word(focusLetters.at(int(platform::rnd() * focusLetters.size()) % focusLetters.size()));
        for (int i = 0; i < 3; ++i)
            word.insert(int(platform::rnd() * (word.size() + 1)), letters.at(int(platform::rnd() * letters.size()) % letters.size()));
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += word;
    }
    return line;
}
