#include "app/Scrambling.h"

#include "app/Blanks.h"
#include "platform/CodePage1256.h"

qint16 FlipTopBit(qint16 X)
{
    return X < 128 ? X + 128 : X - 128;
}

QString ScrambleText(const QString &sText)
{
    const QByteArray bytes = platform::toCodePage1256(TrimBlanks(sText));
    QByteArray flipped;
    flipped.reserve(bytes.size());
    for (const char byte : bytes)
        flipped.append(char(FlipTopBit(quint8(byte))));
    return platform::fromCodePage1256(flipped);
}
