#include "adaptive/cWordList.h"

#include <QResource>

#include <algorithm>

// Outside any namespace, as the resource's initialiser is declared there.
static void initWordResources()
{
    Q_INIT_RESOURCE(words);
}

namespace {

constexpr QStringView kEnglishKeys = u"abcdefghijklmnopqrstuvwxyz";
// The Arabic (101) layout's letters, the four lam-alef keys (لا لآ لأ لإ) and the eight harakat.
constexpr QStringView kArabicKeys = u"ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي"
                                    u"\uFEFB\uFEF5\uFEF7\uFEF9"
                                    u"\u064B\u064C\u064D\u064E\u064F\u0650\u0651\u0652";
constexpr int kArabicHarakatFirst = 40;
static_assert(kArabicKeys.size() == 48);

// Lam followed by alef or its hamza and madda forms, and the key character of the pair.
QChar lamAlefOf(QChar alef)
{
    switch (alef.unicode()) {
    case 0x0627:
        return QChar(0xFEFB);
    case 0x0622:
        return QChar(0xFEF5);
    case 0x0623:
        return QChar(0xFEF7);
    case 0x0625:
        return QChar(0xFEF9);
    default:
        return QChar();
    }
}

QString readWords(bool arabic)
{
    initWordResources();
    // Straight from the resource's one uncompressed copy into the list's text.
    const QResource resource(arabic ? QStringLiteral(":/words/arabic.txt")
                                    : QStringLiteral(":/words/english.txt"));
    return QString::fromUtf8(resource.uncompressedData());
}

} // namespace

const cWordList &cWordList::Get(bool arabic)
{
    if (arabic) {
        static const cWordList list(true, readWords(true));
        return list;
    }
    static const cWordList list(false, readWords(false));
    return list;
}

cWordList::cWordList(bool arabic, const QStringList &words) : cWordList(arabic, words.join(QLatin1Char('\n')))
{
}

cWordList::cWordList(bool arabic, QString text) : m_bArabic(arabic), m_sText(std::move(text))
{
    if (!m_sText.isEmpty() && !m_sText.endsWith(QLatin1Char('\n')))
        m_sText += QLatin1Char('\n');
    m_sText.squeeze(); // read from UTF-8 with room for one character a byte: twice the Arabic text
    // Sorted, so a word is found by halving (the resource is sorted already).
    const auto lines = [&] {
        m_starts.clear();
        m_starts.reserve(size_t(m_sText.count(QLatin1Char('\n'))) + 1);
        m_starts.push_back(0);
        for (qsizetype i = 0; i < m_sText.size(); ++i) {
            if (m_sText.at(i) == QLatin1Char('\n'))
                m_starts.push_back(quint32(i + 1));
        }
    };
    lines();
    bool bSorted = true;
    for (size_t i = 2; i < m_starts.size() && bSorted; ++i)
        bSorted = Word(int(i - 2)) < Word(int(i - 1));
    if (!bSorted) {
        QStringList words = m_sText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        words.sort();
        words.removeDuplicates();
        m_sText = words.join(QLatin1Char('\n')) + QLatin1Char('\n');
        lines();
    }
    index();
}

void cWordList::index()
{
    m_masks.reserve(m_starts.size() - 1);
    for (size_t w = 0; w + 1 < m_starts.size(); ++w) {
        quint64 mask = 0;
        const QString keys = KeyForm(Word(int(w)));
        for (QChar c : keys) {
            const int bit = KeyIndex(c);
            // A character no key types makes the word unreachable: give it every bit.
            mask |= bit < 0 ? ~quint64(0) : quint64(1) << bit;
        }
        m_masks.push_back(mask);
    }
}

int cWordList::Find(QStringView word) const
{
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (Word(mid) < word)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < Count() && Word(lo) == word ? lo : -1;
}

const QStringList &cWordList::Words() const
{
    if (m_words.isEmpty() && Count() > 0) {
        m_words.reserve(Count());
        for (int i = 0; i < Count(); ++i)
            m_words.append(Word(i).toString());
    }
    return m_words;
}

QStringView cWordList::Keys() const
{
    return m_bArabic ? kArabicKeys : kEnglishKeys;
}

int cWordList::KeyIndex(QChar c) const
{
    const char16_t u = c.unicode();
    if (!m_bArabic) {
        if (u >= u'a' && u <= u'z')
            return u - u'a';
        if (u >= u'A' && u <= u'Z')
            return u - u'A';
        return -1;
    }
    // Built once: the table of Arabic key characters by code.
    static const auto table = [] {
        std::vector<qint8> t(0x10000, -1);
        for (qsizetype i = 0; i < kArabicKeys.size(); ++i)
            t[kArabicKeys.at(i).unicode()] = qint8(i);
        return t;
    }();
    return table[u];
}

quint64 cWordList::Mask(QStringView keys) const
{
    quint64 mask = 0;
    for (QChar c : keys) {
        const int bit = KeyIndex(c);
        if (bit >= 0)
            mask |= quint64(1) << bit;
    }
    return mask;
}

quint64 cWordList::HarakatMask() const
{
    return m_bArabic ? ((quint64(1) << 8) - 1) << kArabicHarakatFirst : 0;
}

QString cWordList::KeyForm(QStringView word)
{
    QString keys;
    keys.reserve(word.size());
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word.at(i) == QChar(0x0644) && i + 1 < word.size()) {
            const QChar pair = lamAlefOf(word.at(i + 1));
            if (!pair.isNull()) {
                keys += pair;
                ++i;
                continue;
            }
        }
        keys += word.at(i);
    }
    return keys;
}

QString cWordList::PadForm(QStringView keys)
{
    QString word;
    word.reserve(keys.size() + 2);
    for (QChar c : keys) {
        switch (c.unicode()) {
        case 0xFEFB:
            word += u"\u0644\u0627";
            break;
        case 0xFEF5:
            word += u"\u0644\u0622";
            break;
        case 0xFEF7:
            word += u"\u0644\u0623";
            break;
        case 0xFEF9:
            word += u"\u0644\u0625";
            break;
        default:
            word += c;
        }
    }
    return word;
}
