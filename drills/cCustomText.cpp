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
    // each end of a line is one blank, as are a backspace and a tab between words.
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    // Every other control or format character goes: nobody can type it, and a direction override
    // or an isolate would turn the words on the pad around.
    QString kept;
    kept.reserve(text.size());
    for (const char32_t ch : text.toUcs4()) {
        if (ch == 8 || ch == 9 || ch == 10 || ch == 13) {
            kept += QLatin1Char(' ');
            continue;
        }
        const QChar::Category category = QChar::category(ch);
        if (category != QChar::Other_Control && category != QChar::Other_Format)
            kept += QStringView(QChar::fromUcs4(ch));
    }
    return kept;
}
