#include "adaptive/cAdaptiveText.h"

#include "adaptive/cPseudoWords.h"
#include "adaptive/cWordList.h"
#include "platform/Random.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

// With fewer real words than this holding the focus, lines would repeat the same few words: made-up
// words fill in, in proportion.
constexpr int kEnoughWords = 20;
// A word is drawn again when it was already in the line or the learner just typed it; after this many
// draws a recent word is taken, after twice as many the line takes a made-up word instead.
constexpr int kDraws = 16;
// How often a word is followed by one of the allowed punctuation keys that is not the focus.
constexpr double kPunctuationShare = 1.0 / 6;

constexpr QChar kShadda(0x0651);
constexpr QChar kSukun(0x0652);
constexpr QChar kTaMarbuta(0x0629);
constexpr QStringView kArticle = u"\u0627\u0644";
// The letters that take the article's lam into them (a shadda on the letter); before the others the
// lam carries a sukun.
constexpr QStringView kSunLetters = u"تثدذرزسشصضطظلن";
constexpr QStringView kAlefs = u"اأإآ";
// The endings a noun in ة can carry: with the article a short vowel, without it a tanween.
constexpr QStringView kDefiniteEndings = u"\u064F\u064E\u0650";
constexpr QStringView kIndefiniteEndings = u"\u064C\u064B\u064D";

int pick(int n)
{
    return std::min(n - 1, int(platform::rnd() * n));
}

} // namespace

cAdaptiveText::cAdaptiveText(bool arabic)
    : m_words(cWordList::Get(arabic)), m_pseudo(cPseudoWords::Get(arabic))
{
}

cAdaptiveText::cAdaptiveText(const cWordList &words, const cPseudoWords &pseudo)
    : m_words(words), m_pseudo(pseudo)
{
}

void cAdaptiveText::fill(quint64 allowed, quint64 focus) const
{
    // The words the keys can type change only when a key joins; the focus moves more often, and
    // then only those words are looked through again.
    if (!m_pool.bFilled || m_pool.iAllowed != allowed) {
        m_pool.typable.clear();
        const quint64 letters = allowed & ~m_words.HarakatMask();
        const std::vector<quint64> &masks = m_words.Masks();
        for (int i = 0; i < int(masks.size()); ++i) {
            if (!(masks[i] & ~letters))
                m_pool.typable.push_back(i);
        }
    } else if (m_pool.iFocus == focus) {
        return;
    }
    m_pool.iAllowed = allowed;
    m_pool.iFocus = focus;
    m_pool.bFilled = true;
    m_pool.holding.clear();
    m_pool.marks.clear();
    const quint64 marks = allowed & m_words.HarakatMask();
    const std::vector<quint64> &masks = m_words.Masks();
    if (!marks) { // no harakat: the focus alone decides, in one tight pass
        for (int i : m_pool.typable) {
            if (!focus || (masks[size_t(i)] & focus))
                m_pool.holding.push_back(i);
        }
        return;
    }
    for (int i : m_pool.typable) {
        const quint64 possible = possibleMarks(i) & marks;
        if (focus && !((masks[size_t(i)] | possible) & focus))
            continue;
        m_pool.holding.push_back(i);
        m_pool.marks.push_back(possible);
    }
}

// The harakat a word can carry without knowing its sentence: the article's sukun or the sun letter's
// shadda (only where the word without the article is a word too), and the ending of a noun in ة.
quint64 cAdaptiveText::possibleMarks(int word) const
{
    const QStringView w = m_words.Word(word);
    quint64 marks = 0;
    const auto add = [&](QStringView harakat) { marks |= m_words.Mask(harakat); };
    bool bArticle = false;
    if (w.size() >= 4 && w.startsWith(kArticle)) {
        const QStringView rest = w.mid(2);
        bArticle = m_words.Find(rest) >= 0;
        if (bArticle && kSunLetters.contains(rest.front()))
            add(QStringView(&kShadda, 1));
        else if (bArticle && !kAlefs.contains(rest.front()))
            add(QStringView(&kSukun, 1)); // a sukun between lam and alef would split the lam-alef key
    }
    if (w.size() >= 3 && w.back() == kTaMarbuta)
        add(bArticle ? kDefiniteEndings : kIndefiniteEndings);
    return marks;
}

QString cAdaptiveText::vocalised(int word, quint64 marks, quint64 focus) const
{
    QString w = m_words.Word(word).toString();
    if (!marks)
        return w;
    const auto has = [&](QChar c) { return marks & m_words.Mask(QStringView(&c, 1)); };
    const bool bTaMarbuta = w.back() == kTaMarbuta;
    if (has(kShadda))
        w.insert(3, kShadda);
    else if (has(kSukun))
        w.insert(2, kSukun);
    if (bTaMarbuta) {
        // The focus's ending where it is one, else any allowed; `marks` holds only the endings that
        // fit the word (a short vowel after the article, a tanween without it).
        QVarLengthArray<QChar, 6> endings;
        for (QStringView set : {kDefiniteEndings, kIndefiniteEndings}) {
            for (QChar c : set) {
                if (has(c))
                    endings.append(c);
            }
        }
        for (QChar c : endings) {
            if (focus & m_words.Mask(QStringView(&c, 1))) {
                endings = {c};
                break;
            }
        }
        if (!endings.isEmpty())
            w += endings[pick(int(endings.size()))];
    }
    return w;
}

QString cAdaptiveText::MakeLine(const QString &allowed, const QString &focus, const QStringList &recent,
                                int iLength) const
{
    quint64 allowedMask = m_words.Mask(allowed);
    if (!bDiacritics)
        allowedMask &= ~m_words.HarakatMask();
    const quint64 focusMask = m_words.Mask(focus) & allowedMask;
    fill(allowedMask, focusMask);
    // The keys no word holds (English ; , .) follow words, as in text: a focus one follows every
    // word, the others now and then, so they are typed and measured like the letters.
    QString punctuation;
    QString focusPunctuation;
    for (QChar c : allowed) {
        if (c.isPunct() && m_words.KeyIndex(c) < 0) {
            punctuation += c;
            if (focus.contains(c))
                focusPunctuation += c;
        }
    }

    const std::vector<int> &pool = m_pool.holding;
    const int iReal = int(pool.size());
    const double dRealShare = std::min(1.0, double(iReal) / kEnoughWords);
    std::vector<int> recentWords;
    for (const QString &typed : recent) {
        QStringView w(typed);
        while (!w.isEmpty() && punctuation.contains(w.back()))
            w.chop(1);
        const int i = m_words.Find(w);
        if (i >= 0)
            recentWords.push_back(i);
    }
    std::sort(recentWords.begin(), recentWords.end());
    QVarLengthArray<int, 16> used;
    QStringList words;
    QString line;
    while (line.size() < iLength) {
        const int iRoom = iLength - int(line.size()) - (line.isEmpty() ? 0 : 1);
        QString word;
        if (iReal > 0 && platform::rnd() < dRealShare) {
            for (int draw = 0; draw < 2 * kDraws; ++draw) {
                const int k = pick(iReal);
                const int i = pool[size_t(k)];
                const QStringView w = m_words.Word(i);
                if (std::find(used.begin(), used.end(), i) != used.end())
                    continue;
                if (draw < kDraws &&
                    (std::binary_search(recentWords.begin(), recentWords.end(), i) || w.size() > iRoom + 3))
                    continue;
                used.append(i);
                word = vocalised(i, m_pool.marks.empty() ? 0 : m_pool.marks[size_t(k)], focusMask);
                break;
            }
        }
        if (word.isEmpty()) {
            // Made-up words of three to five or six letters, not longer than the line's room.
            const int iLongest = std::max(3, std::min(iRoom, m_words.IsArabic() ? 5 : 6));
            for (int draw = 0; draw < kDraws && (word.isEmpty() || words.contains(word)); ++draw)
                word = m_pseudo.Make(allowed, focus, 3 + pick(iLongest - 2));
            if (word.isEmpty())
                break; // no letter of the language is allowed
        }
        words.append(word);
        if (!focusPunctuation.isEmpty())
            word += focusPunctuation.at(pick(int(focusPunctuation.size())));
        else if (!punctuation.isEmpty() && platform::rnd() < kPunctuationShare)
            word += punctuation.at(pick(int(punctuation.size())));
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += word;
    }
    return line;
}
