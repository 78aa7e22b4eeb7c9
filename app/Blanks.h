#pragma once

#include <QString>

// Removes leading and trailing blanks (U+0020 only). Other white space is text the learner typed or
// a scrambled password byte, and must survive.
inline QString TrimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}
