#include "typing/cRandomText.h"

#include "platform/Random.h"

#include <cmath>

namespace {
int draw(qsizetype n)
{
    return int(std::floor(double(n) * platform::rnd()));
}

// Alef maksura and teh marbuta are written only at the end of a word: inside one, ى joins the next
// letter as a dotless tooth nobody can read. They move to the word's end, teh marbuta first, since it
// joins nothing after it and so leaves a following ى standing on its own.
void moveFinalLettersToTheEnd(QString &word)
{
    static const QChar kTehMarbuta(0x0629);
    static const QChar kAlefMaksura(0x0649);
    QString rest;
    QString tehs;
    QString alefs;
    for (const QChar c : word) {
        if (c == kTehMarbuta)
            tehs += c;
        else if (c == kAlefMaksura)
            alefs += c;
        else
            rest += c;
    }
    if (tehs.isEmpty() && alefs.isEmpty())
        return;
    word = rest + tehs + alefs;
}
} // namespace

QString RandomWords(const QStringList &pool, int iLongerThan)
{
    QString text;
    if (pool.isEmpty())
        return text;
    while (text.size() <= iLongerThan) {
        QString word;
        do
            word += pool.at(qBound(qsizetype(0), qsizetype(draw(pool.size())), pool.size() - 1));
        while (draw(3) != 0);
        moveFinalLettersToTheEnd(word);
        text += word + QLatin1Char(' ');
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
