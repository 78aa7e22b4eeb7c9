#include "drills/cRandomText.h"

#include "platform/Random.h"

#include <cmath>

namespace {
int draw(qsizetype n)
{
    return int(std::floor(double(n) * platform::rnd()));
}
} // namespace

QString RandomWords(const QStringList &pool, int iLongerThan)
{
    QString text;
    if (pool.isEmpty())
        return text;
    while (text.size() <= iLongerThan) {
        do
            text += pool.at(qBound(qsizetype(0), qsizetype(draw(pool.size())), pool.size() - 1));
        while (draw(3) != 0);
        text += QLatin1Char(' ');
    }
    return text;
}

QString RandomWords(const QString &sLetters, int iLongerThan)
{
    QStringList pool;
    for (const QChar letter : sLetters)
        pool.append(QString(letter));
    return RandomWords(pool, iLongerThan);
}
