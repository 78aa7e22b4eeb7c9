#include "adaptive/cPseudoWords.h"

#include "adaptive/cWordList.h"
#include "platform/Random.h"

#include <QVarLengthArray>

const cPseudoWords &cPseudoWords::Get(bool arabic)
{
    if (arabic) {
        static const cPseudoWords model(cWordList::Get(true));
        return model;
    }
    static const cPseudoWords model(cWordList::Get(false));
    return model;
}

cPseudoWords::cPseudoWords(const cWordList &words)
    : m_words(words), m_iKeys(int(words.Keys().size())), m_iSize(m_iKeys + 1),
      m_trigrams(size_t(m_iSize) * m_iSize * m_iSize), m_pairs(size_t(m_iSize) * m_iSize),
      m_singles(size_t(m_iSize))
{
    const int edge = m_iKeys;
    QVarLengthArray<int, 32> keys;
    for (int i = 0; i < words.Count(); ++i) {
        const QStringView w = words.Word(i);
        keys.clear();
        keys.append(edge);
        keys.append(edge);
        bool bTyped = true;
        for (QChar c : cWordList::KeyForm(w)) {
            const int k = words.KeyIndex(c);
            bTyped = bTyped && k >= 0;
            keys.append(k);
        }
        if (!bTyped)
            continue;
        keys.append(edge);
        for (qsizetype i = 2; i < keys.size(); ++i) {
            ++m_trigrams[at(keys[i - 2], keys[i - 1], keys[i])];
            ++m_pairs[keys[i - 1] * m_iSize + keys[i]];
            ++m_singles[keys[i]];
        }
    }
}

QString cPseudoWords::Make(const QString &allowed, const QString &focus, int iLength) const
{
    const quint64 allowedMask = m_words.Mask(allowed) & ~m_words.HarakatMask();
    quint64 focusMask = m_words.Mask(focus) & allowedMask;
    if (allowedMask == 0 || iLength < 1)
        return {};
    QVarLengthArray<int, 64> letters;
    for (int k = 0; k < m_iKeys; ++k) {
        if (allowedMask & (quint64(1) << k))
            letters.append(k);
    }
    const int edge = m_iKeys;
    // Which letters the allowed ones can follow, and which end words: a letter that is never
    // followed (ة, ى) is kept for the end, and the end takes only letters that end words.
    QVarLengthArray<bool, 64> followed(m_iSize, false);
    for (int b : letters) {
        for (int c : letters)
            followed[b] = followed[b] || m_pairs[b * m_iSize + c] > 0;
    }
    const auto starts = [&](int c) { return m_pairs[edge * m_iSize + c] > 0; };
    // A lam before an alef form would make a lam-alef pair, which is a key of its own.
    const int iLam = m_words.KeyIndex(QChar(0x0644));
    const quint64 alefs = m_words.Mask(u"\u0627\u0622\u0623\u0625");
    const auto ends = [&](int c) { return m_pairs[c * m_iSize + edge] > 0; };

    // Draws the letter at `pos` after a, b from the first level that offers one: the trigram, the
    // pair, the single letters that may stand there, any allowed letter (a focus letter the language
    // never puts there). `only` limits the choice (the focus); -1 when no level up to iLevels offers.
    QVarLengthArray<double, 64> weights;
    const auto draw = [&](int a, int b, int pos, bool bLast, quint64 only, int iLevels) {
        for (int level = 0; level < iLevels; ++level) {
            weights.clear();
            double total = 0;
            for (int c : letters) {
                double w = 0;
                if (!(only & (quint64(1) << c)))
                    w = 0;
                else if ((a == b && b == c) || (b == iLam && (alefs & (quint64(1) << c))))
                    w = 0; // no letter three times running, no lam-alef made of two keys
                else if (level == 0)
                    w = m_trigrams[at(a, b, c)];
                else if (level == 1)
                    w = m_pairs[b * m_iSize + c];
                else if ((pos > 0 || starts(c)) && (bLast ? ends(c) : followed[c]))
                    w = m_singles[c] + 1; // a letter only where the language puts one (ة, ى last)
                else if (level == 3)
                    w = m_singles[c] + 1;
                if (w > 0 && level < 2) {
                    if (bLast)
                        w *= m_pairs[c * m_iSize + edge];
                    else if (!followed[c])
                        w = 0;
                }
                weights.append(w);
                total += w;
            }
            if (total <= 0)
                continue;
            double r = platform::rnd() * total;
            qsizetype pick = 0;
            while (pick + 1 < weights.size() && (r >= weights[pick] || weights[pick] <= 0)) {
                r -= weights[pick];
                ++pick;
            }
            while (weights[pick] <= 0) // rounding at the end of the range
                --pick;
            return letters[pick];
        }
        return -1;
    };

    QVarLengthArray<int, 16> word;
    // From a drawn place on, the focus comes where the letters before it lead to it; at the end it
    // comes whatever the letters before it.
    const int iForced = int(platform::rnd() * iLength);
    bool bHeld = focusMask == 0;
    int a = edge, b = edge;
    for (int pos = 0; pos < iLength; ++pos) {
        const bool bLast = pos == iLength - 1;
        int c = -1;
        if (!bHeld && pos >= iForced)
            c = draw(a, b, pos, bLast, focusMask, bLast ? 4 : 2);
        if (c < 0)
            c = draw(a, b, pos, bLast, allowedMask, 4);
        if (c < 0)
            break;
        word.append(c);
        bHeld = bHeld || (focusMask & (quint64(1) << c));
        a = b;
        b = c;
    }
    QString keys;
    const QStringView chars = m_words.Keys();
    for (int k : word)
        keys += chars.at(k);
    return cWordList::PadForm(keys);
}
