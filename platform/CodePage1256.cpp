#include "platform/CodePage1256.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {
constexpr const char *kCodePage = "windows-1256";
}

QByteArray toCodePage1256(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    return encoder.encode(text);
}

QString fromCodePage1256(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

bool fitsCodePage1256(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || !encoder.isValid())
        return false;
    // Characters without a code come out as a substitute; a round trip shows them.
    return fromCodePage1256(bytes) == text;
}

} // namespace platform
