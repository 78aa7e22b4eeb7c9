#include "drills/cCustomText.h"

#include "platform/CodePage1256.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Drops a UTF-8 sequence cut off at the end of `bytes`, so a file read only in part may still
// count as valid UTF-8.
QByteArray withoutCutSequence(QByteArray bytes)
{
    for (int back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const auto byte = quint8(bytes.at(bytes.size() - back));
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        int length = 1;
        if ((byte & 0xE0) == 0xC0)
            length = 2;
        else if ((byte & 0xF0) == 0xE0)
            length = 3;
        else if ((byte & 0xF8) == 0xF0)
            length = 4;
        if (length > back)
            bytes.chop(back);
        break;
    }
    return bytes;
}

QString decode(const QByteArray &bytes, bool cut)
{
    // Stateless, so bytes left over at the end count as an error instead of waiting for more.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(cut ? withoutCutSequence(bytes) : bytes);
    if (!utf8.hasError())
        return text;
    return platform::fromCodePage1256(bytes);
}

} // namespace

QString TestFilePath(const QString &sFolder, const QString &sFileName)
{
    QString path = sFolder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + sFileName;
}

QString ReadTestText(const QString &sPath)
{
    if (!QFileInfo(sPath).isFile())
        return QString();
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.read(kMaxTestFileBytes);
    const bool cut = file.size() > kMaxTestFileBytes;
    file.close();

    QString text = decode(bytes, cut);
    // A line ends in CR LF or, in files written on this desktop, in a lone LF (or an old lone CR):
    // each end of a line is one blank.
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QChar(13), QChar(' '));
    text.replace(QChar(10), QChar(' '));
    text.replace(QChar(8), QChar(' '));
    return text;
}
