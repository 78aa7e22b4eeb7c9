#include "platform/CodePage1256.h"

#include <array>
#include <utility>

namespace platform {

namespace {

// The characters of bytes 0x80-0xFF; below them the page is ASCII. Our own table rather than a
// converter by name: every key press goes through the page, and Qt's converter for it opens ICU's
// tables, which costs a learner's tutor more than a megabyte of memory for 128 characters.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0679, 0x2039, 0x0152,
    0x0686, 0x0698, 0x0688, 0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x06A9, 0x2122,
    0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA, 0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F, 0x06C1,
    0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627, 0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D,
    0x062E, 0x062F, 0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7, 0x0637, 0x0638, 0x0639,
    0x063A, 0x0640, 0x0641, 0x0642, 0x0643, 0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF, 0x064B, 0x064C, 0x064D, 0x064E, 0x00F4,
    0x064F, 0x0650, 0x00F7, 0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

// What a character without a code becomes, as Windows writes it.
constexpr char kSubstitute = 0x1A;

// Characters that are invisible by nature (joiner controls, direction embeddings, variation selectors,
// tags) and have no code: the page's writer leaves them out rather than substituting, so a password or
// a name stored by an earlier version reads and compares the same.
constexpr std::array<std::pair<char32_t, char32_t>, 16> kLeftOut = {{
    {0x034F, 0x034F},
    {0x061C, 0x061C},
    {0x115F, 0x1160},
    {0x17B4, 0x17B5},
    {0x180B, 0x180F},
    {0x200B, 0x200B},
    {0x202A, 0x202E},
    {0x2060, 0x206F},
    {0x3164, 0x3164},
    {0xFE00, 0xFE0F},
    {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFF8},
    {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A},
    {0xE0000, 0xE0FFF},
}};

bool isLeftOut(char32_t c)
{
    for (const auto &[first, last] : kLeftOut) {
        if (c >= first && c <= last)
            return true;
    }
    return false;
}

// The byte of `c`, or -1 when the page has none.
int codeOf(char32_t c)
{
    if (c < 0x80)
        return int(c);
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

// Each character of `text` (a surrogate pair is one character) in turn; false from `visit` stops.
template <typename Visit> void forEachCharacter(const QString &text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
        if (!visit(c))
            return;
    }
}

} // namespace

QByteArray toCodePage1256(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    forEachCharacter(text, [&bytes](char32_t c) {
        const int code = codeOf(c);
        if (code >= 0)
            bytes.append(char(code));
        else if (!isLeftOut(c))
            bytes.append(kSubstitute);
        return true;
    });
    return bytes;
}

QString fromCodePage1256(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = quint8(bytes.at(i));
        text[i] = QChar(byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80]);
    }
    return text;
}

bool fitsCodePage1256(const QString &text)
{
    bool fits = true;
    forEachCharacter(text, [&fits](char32_t c) { return fits = codeOf(c) >= 0; });
    return fits;
}

} // namespace platform
