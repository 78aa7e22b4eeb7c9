// The adaptive practice's word lists, made-up words and lines.
#include "adaptive/cAdaptiveText.h"
#include "adaptive/cPseudoWords.h"
#include "adaptive/cWordList.h"
#include "platform/Random.h"

#include <QtTest>

namespace {

const QString kLamAlef(QChar(0xFEFB));
const QString kLamHamza(QChar(0xFEF7)); // لأ
// The keys of the first Arabic lessons as the key model gives them: lesson 1 (ا with أ on its shifted
// level), then lesson 2 (ل with لأ, ش with kasra, س with kasratan).
const QString kArabicFirst = QStringLiteral("اأتنمكط");
const QString kArabicTwo =
    kArabicFirst + QStringLiteral("ل") + kLamHamza + QStringLiteral("بيس\u064Dش\u0650");

QStringList wordsOf(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The keys a line's words need: each lam-alef pair as its key.
bool typedWith(const QString &word, const QString &allowed)
{
    for (QChar c : cWordList::KeyForm(word)) {
        if (!allowed.contains(c))
            return false;
    }
    return true;
}

bool holds(const QString &word, const QString &focus)
{
    for (QChar c : cWordList::KeyForm(word)) {
        if (focus.contains(c))
            return true;
    }
    return false;
}

// A long fixed run of varied values, so every run of the tests draws the same lines.
QList<double> fixedRandom()
{
    QList<double> values;
    quint32 x = 12345;
    for (int i = 0; i < 4099; ++i) {
        x = x * 1103515245u + 12345u;
        values.append(double(x >> 8) / double(1u << 24));
    }
    return values;
}

} // namespace

class TestAdaptiveText : public QObject
{
    Q_OBJECT

private slots:
    void init() { platform::setRandomSequenceForTesting(fixedRandom()); }
    void cleanup() { platform::setRandomSequenceForTesting({}); }

    // The committed lists hold only what the pad types: the layout's letters, no harakat, tatweel,
    // capitals or marks, each word once.
    void listsHoldOnlyTypableWords_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QString>("letters");
        QTest::newRow("English") << false << QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        QTest::newRow("Arabic") << true << QStringLiteral("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي");
    }
    void listsHoldOnlyTypableWords()
    {
        QFETCH(bool, arabic);
        QFETCH(QString, letters);
        const QStringList &words = cWordList::Get(arabic).Words();
        QVERIFY(words.size() > 30000);
        QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
        for (const QString &w : words) {
            for (QChar c : w)
                QVERIFY2(letters.contains(c), qPrintable(w));
        }
    }

    // Every word of a line holds the focus key, is typed with the allowed keys only, and stands
    // once in its line; with enough real words they are all real.
    void linesHoldTheFocus_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QString>("allowed");
        QTest::addColumn<QString>("focus");
        QTest::newRow("English") << false << QStringLiteral("asdfghjklerioutn") << QStringLiteral("g");
        QTest::newRow("English capitals")
            << false << QStringLiteral("aAsSdDfFeErRtTiI") << QStringLiteral("fF");
        QTest::newRow("Arabic") << true << kArabicTwo << QStringLiteral("ب");
        QTest::newRow("Arabic lam-alef") << true << kArabicTwo + kLamAlef << kLamAlef;
    }
    void linesHoldTheFocus()
    {
        QFETCH(bool, arabic);
        QFETCH(QString, allowed);
        QFETCH(QString, focus);
        const cAdaptiveText text(arabic);
        const QStringList &list = cWordList::Get(arabic).Words();
        for (int run = 0; run < 20; ++run) {
            const QString line = text.MakeLine(allowed, focus, {}, 48);
            QVERIFY2(line.size() >= 40 && line.size() <= 70, qPrintable(line));
            const QStringList words = wordsOf(line);
            QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
            for (const QString &w : words) {
                QVERIFY2(typedWith(w, allowed), qPrintable(line));
                QVERIFY2(holds(w, focus), qPrintable(line));
                QVERIFY2(list.contains(w), qPrintable(line));
            }
        }
    }

    // The punctuation keys no word holds (English ; , .) are typed after words: the focus one after
    // every word, the others after some; the words before them are as the list gives them.
    void punctuationFollowsWords()
    {
        const cAdaptiveText text(false);
        const QStringList &list = cWordList::Get(false).Words();
        const QString allowed = QStringLiteral("asdfghjkl;");
        int iFollowed = 0;
        for (int run = 0; run < 20; ++run) {
            const QStringList focused = wordsOf(text.MakeLine(allowed, QStringLiteral(";"), {}, 48));
            for (const QString &w : focused)
                QVERIFY2(w.endsWith(QLatin1Char(';')) && typedWith(w, allowed) && !w.chopped(1).contains(';'),
                         qPrintable(w));
            for (const QString &w : wordsOf(text.MakeLine(allowed, QStringLiteral("g"), {}, 48))) {
                iFollowed += w.endsWith(QLatin1Char(';'));
                QVERIFY2(list.contains(w.endsWith(QLatin1Char(';')) ? w.chopped(1) : w), qPrintable(w));
            }
        }
        QVERIFY(iFollowed > 0);
    }

    // A lam-alef pair needs its key, and a lam or alef outside a pair needs its own; a hamza form
    // needs the key that types it.
    void lamAlefAndHamzaNeedTheirKeys()
    {
        const cWordList list(true, {QStringLiteral("سلام"), QStringLiteral("سلم"), QStringLiteral("أمس"),
                                    QStringLiteral("لأم"), QStringLiteral("سما")});
        const cPseudoWords pseudo(list);
        const cAdaptiveText text(list, pseudo);
        const auto realWords = [&](const QString &allowed) {
            QSet<QString> seen;
            for (int run = 0; run < 30; ++run) {
                for (const QString &w : wordsOf(text.MakeLine(allowed, QString(), {}, 40))) {
                    if (list.Words().contains(w))
                        seen.insert(w);
                }
            }
            return QSet<QString>(seen.begin(), seen.end());
        };
        // س م with the lam-alef key: سلام only (سلم needs ل, سما needs ا).
        QCOMPARE(realWords(QStringLiteral("سم") + kLamAlef), QSet<QString>{QStringLiteral("سلام")});
        // With ل and ا but not the lam-alef key, سلام is out.
        QCOMPARE(realWords(QStringLiteral("سملا")),
                 (QSet<QString>{QStringLiteral("سلم"), QStringLiteral("سما")}));
        // أ counts for its own key character, لأ for the pair's.
        QCOMPARE(realWords(QStringLiteral("سمأ")), QSet<QString>{QStringLiteral("أمس")});
        QCOMPARE(realWords(QStringLiteral("م") + kLamHamza), QSet<QString>{QStringLiteral("لأم")});
    }

    // The learner just typed some words: the next line takes others while others remain.
    void recentWordsWait()
    {
        const cAdaptiveText text(false);
        const QString allowed = QStringLiteral("asdfghjklerioutn");
        QStringList recent;
        for (int run = 0; run < 10; ++run)
            recent += wordsOf(text.MakeLine(allowed, QStringLiteral("g"), {}, 48));
        for (int run = 0; run < 10; ++run) {
            for (const QString &w : wordsOf(text.MakeLine(allowed, QStringLiteral("g"), recent, 48)))
                QVERIFY2(!recent.contains(w), qPrintable(w));
        }
    }

    // Harakat keys in the set give no harakat until the learner turns them on; then they stand only
    // where a word takes them without its sentence (the article, the ending of ة).
    void harakatOnlyWhenTurnedOn()
    {
        QString allowed;
        for (QChar c : QStringLiteral("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي"))
            allowed += c;
        allowed += QString(QChar(0xFEFB)) + QChar(0xFEF5) + QChar(0xFEF7) + QChar(0xFEF9);
        const QString harakat = QStringLiteral("\u064B\u064C\u064D\u064E\u064F\u0650\u0651\u0652");
        cAdaptiveText text(true);
        for (int run = 0; run < 20; ++run) {
            const QString line = text.MakeLine(allowed + harakat, QStringLiteral("\u0651"), {}, 48);
            for (QChar c : line)
                QVERIFY2(!harakat.contains(c), qPrintable(line));
        }
        text.bDiacritics = true;
        const QStringList &list = cWordList::Get(true).Words();
        int iMarked = 0;
        for (int run = 0; run < 20; ++run) {
            const QString line = text.MakeLine(allowed + harakat, QStringLiteral("\u0651"), {}, 48);
            for (const QString &w : wordsOf(line)) {
                QString bare = w;
                bare.remove(QRegularExpression(QStringLiteral("[\u064B-\u0652]")));
                QVERIFY2(list.contains(bare), qPrintable(w));
                // The focus shadda on the sun letter after the article.
                QVERIFY2(w.startsWith(QStringLiteral("ال")) && w.at(3) == QChar(0x0651), qPrintable(w));
                iMarked += w.size() - bare.size();
            }
        }
        QVERIFY(iMarked > 0);
    }

    // The first keys: too few real words, so made-up ones fill the line; they hold the focus, use
    // the allowed letters only, and follow the language's letter pairs.
    void pseudoWordsOnlyWhenTheSetIsSmall_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QString>("allowed");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("small");
        QTest::newRow("English first keys")
            << false << QStringLiteral("hjkleit") << QStringLiteral("k") << true;
        QTest::newRow("Arabic three keys") << true << QStringLiteral("تنط") << QStringLiteral("ط") << true;
        QTest::newRow("Arabic lam and alef, no lam-alef")
            << true << QStringLiteral("لا") << QStringLiteral("ل") << true;
        QTest::newRow("Arabic first lesson") << true << kArabicFirst << QStringLiteral("ط") << false;
        QTest::newRow("Arabic two lessons") << true << kArabicTwo << QStringLiteral("ت") << false;
    }
    void pseudoWordsOnlyWhenTheSetIsSmall()
    {
        QFETCH(bool, arabic);
        QFETCH(QString, allowed);
        QFETCH(QString, focus);
        QFETCH(bool, small);
        const cWordList &list = cWordList::Get(arabic);
        QSet<QString> pairs;
        for (const QString &w : list.Words()) {
            const QString k = QLatin1Char('^') + cWordList::KeyForm(w) + QLatin1Char('$');
            for (qsizetype i = 0; i + 1 < k.size(); ++i)
                pairs.insert(k.mid(i, 2));
        }
        const cAdaptiveText text(arabic);
        int iMadeUp = 0;
        for (int run = 0; run < 20; ++run) {
            const QString line = text.MakeLine(allowed, focus, {}, 48);
            QStringList words = wordsOf(line);
            if (small) // and the made-up words on their own, of every length
                words += cPseudoWords::Get(arabic).Make(allowed, focus, 2 + run % 6);
            for (const QString &w : std::as_const(words)) {
                QVERIFY2(typedWith(w, allowed) && holds(w, focus), qPrintable(w));
                if (list.Words().contains(w))
                    continue;
                ++iMadeUp;
                const QString k = QLatin1Char('^') + cWordList::KeyForm(w) + QLatin1Char('$');
                for (qsizetype i = 0; i + 1 < k.size(); ++i)
                    QVERIFY2(pairs.contains(k.mid(i, 2)), qPrintable(w));
            }
        }
        QCOMPARE(iMadeUp > 0, small);
    }
};

QTEST_GUILESS_MAIN(TestAdaptiveText)
#include "tst_adaptivetext.moc"
