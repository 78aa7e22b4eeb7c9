// The drills' random words.
#include "platform/Random.h"
#include "typing/cRandomText.h"

#include <QtTest>

class TestRandomText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { platform::setRandomSequenceForTesting({}); }

    void drawsInOrder()
    {
        // letter b, go on (r = 0.5 -> 1), letter a, stop (r = 0.1 -> 0), space; then c, stop, space.
        platform::setRandomSequenceForTesting({0.4, 0.5, 0.0, 0.1, 0.9, 0.2});
        QCOMPARE(RandomWords(QStringList{"a", "b", "c"}, 3), QStringLiteral("ba c "));
    }

    void twoLetterEntriesStayWhole()
    {
        platform::setRandomSequenceForTesting({0.99, 0.0});
        QCOMPARE(RandomWords(QStringList{"ت", "لا"}, 3), QStringLiteral("لا لا "));
    }

    void realSourceKeepsTheShape()
    {
        for (int run = 0; run < 50; ++run) {
            const QString text = RandomWords(QStringLiteral("asdfjkl;"), 120);
            QVERIFY(text.size() > 120);
            QVERIFY(text.size() <= 120 + 1 + 400); // one last word past the limit
            QVERIFY(text.endsWith(QLatin1Char(' ')));
            QVERIFY(!text.contains(QStringLiteral("  ")));
            QVERIFY(!text.startsWith(QLatin1Char(' ')));
            for (const QChar c : text)
                QVERIFY(QStringLiteral("asdfjkl; ").contains(c));
        }
    }

    // ة and ى mid-word draw as a dotless tooth: they move to the end of their word, ة before ى, and
    // the draws stay as they were (the second word still takes the seventh and eighth values).
    void finalLettersEndTheirWord()
    {
        const QStringList pool{"ة", "ب", "ى", "ت"};
        platform::setRandomSequenceForTesting({0.6, 0.5, 0.0, 0.5, 0.3, 0.1, 0.9, 0.1});
        QCOMPARE(RandomWords(pool, 4), QStringLiteral("بةى ت "));

        platform::setRandomSequenceForTesting({});
        const QRegularExpression word(QStringLiteral("^[^ةى]*ة*ى*$"));
        for (int run = 0; run < 50; ++run) {
            for (const QString &w : RandomWords(pool, 120).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(word.match(w).hasMatch(), qPrintable(w));
        }
    }

    void emptyPoolGivesNothing() { QCOMPARE(RandomWords(QStringList{}, 30), QString()); }
};

QTEST_GUILESS_MAIN(TestRandomText)
#include "tst_randomtext.moc"
