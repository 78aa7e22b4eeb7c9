#include "platform/CodePage1256.h"
#include "typing/cPadColumns.h"
#include "typing/cTypingLine.h"

#include <QTest>

namespace {

// The code page 1256 code of each character, as the pad hands keys to the line.
QList<qint16> codesOf(const QString &text)
{
    QList<qint16> codes;
    for (QChar c : text)
        codes.append(qint16(quint8(platform::toCodePage1256(QString(c)).at(0))));
    return codes;
}

cTypingLine activeLine(const QString &wanted, bool backAllowed = true)
{
    cTypingLine line;
    line.sWantedText = wanted;
    line.bBackAllowed = backAllowed;
    line.BeginLine();
    return line;
}

// Types `keys`, where "\b" stands for Backspace, at time `now`; returns the number of beeps.
int type(cTypingLine &line, const QString &keys, double now = 36000.5)
{
    int beeps = 0;
    for (qint16 code : codesOf(keys)) {
        if (line.JudgeKey(code, now).bBeep)
            ++beeps;
    }
    return beeps;
}

} // namespace

class tst_TypingLine : public QObject
{
    Q_OBJECT

private slots:
    // Where each character of a pad line stands (columns from the left) and how it joins: the line
    // in its direction, runs of the other direction in theirs, lam-alef one ligature over two columns.
    void padColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QString>("joins"); // per character: b joins before, a after, 2 both, - none
        QTest::addColumn<QList<int>>("spans");
        QTest::newRow("Arabic word") << QStringLiteral("بيت") << true << QList<int>{2, 1, 0}
                                     << QStringLiteral("a2b") << QList<int>{1, 1, 1};
        QTest::newRow("Latin on an Arabic line")
            << QStringLiteral("Tavrin") << true << QList<int>{0, 1, 2, 3, 4, 5} << QStringLiteral("------")
            << QList<int>{1, 1, 1, 1, 1, 1};
        QTest::newRow("digits in Arabic") << QStringLiteral("سنة 24") << true << QList<int>{5, 4, 3, 2, 0, 1}
                                          << QStringLiteral("a2b---") << QList<int>{1, 1, 1, 1, 1, 1};
        QTest::newRow("Arabic in English")
            << QStringLiteral("go بيت now") << false << QList<int>{0, 1, 2, 5, 4, 3, 6, 7, 8, 9}
            << QStringLiteral("---a2b----") << QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("lam-alef") << QStringLiteral("سلام") << true << QList<int>{3, 2, 1, 0}
                                  << QStringLiteral("ab--") << QList<int>{1, 2, 0, 1};
    }
    void padColumns()
    {
        QFETCH(QString, text);
        QFETCH(bool, rightToLeft);
        QFETCH(QList<int>, columns);
        QFETCH(QString, joins);
        QFETCH(QList<int>, spans);
        const QList<PadCell> cells = LayOutColumns(text, rightToLeft);
        QList<int> gotColumns, gotSpans;
        QString gotJoins;
        for (const PadCell &cell : cells) {
            gotColumns.append(cell.iColumn);
            gotSpans.append(cell.iSpan);
            gotJoins += cell.bJoinsBefore && cell.bJoinsAfter ? QLatin1Char('2')
                        : cell.bJoinsBefore                   ? QLatin1Char('b')
                        : cell.bJoinsAfter                    ? QLatin1Char('a')
                                                              : QLatin1Char('-');
        }
        QCOMPARE(gotColumns, columns);
        QCOMPARE(gotJoins, joins);
        QCOMPARE(gotSpans, spans);
    }

    void typedLetters_data();
    void typedLetters();
    void keysThatCannotBeTyped();
    void inactiveLineIgnoresEverything();
    void clockStartsAtFirstLetter();
    void keyIntervals();
    void errorPositions_data();
    void errorPositions();
    void results_data();
    void results();
    void emptyLineFinishesAtOnce();
    void tickFigures_data();
    void tickFigures();
};

void tst_TypingLine::typedLetters_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("backAllowed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("errors");

    const QString wanted = QStringLiteral("سلام عليكم");
    QTest::newRow("lam then alef stay two letters and match")
        << wanted << QStringLiteral("سلام") << true << QStringLiteral("سلام") << 0 << 0;
    QTest::newRow("letters after a typed pair are not shifted")
        << wanted << QStringLiteral("سلام عليكم") << true << wanted << 0 << 0;
    QTest::newRow("hamza alef after lam")
        << QStringLiteral("لأن") << QStringLiteral("لأن") << true << QStringLiteral("لأن") << 0 << 0;
    QTest::newRow("backspace removes the last letter")
        << QStringLiteral("abc") << QStringLiteral("abx\b") << true << QStringLiteral("ab") << 0 << 0;
    QTest::newRow("backspace removes a lam-alef pair whole")
        << wanted << QStringLiteral("سلا\b") << true << QStringLiteral("س") << 0 << 0;
    QTest::newRow("lam alone goes alone")
        << wanted << QStringLiteral("سل\b") << true << QStringLiteral("س") << 0 << 0;
    QTest::newRow("alef after another letter goes alone")
        << QStringLiteral("ما") << QStringLiteral("ما\b") << true << QStringLiteral("م") << 0 << 0;
    QTest::newRow("backspace at the start beeps")
        << QStringLiteral("abc") << QStringLiteral("\ba") << true << QStringLiteral("a") << 1 << 0;
    QTest::newRow("backspace not allowed beeps")
        << QStringLiteral("abc") << QStringLiteral("ax\b") << false << QStringLiteral("ax") << 1 << 1;
    QTest::newRow("wrong letters are typed and counted")
        << QStringLiteral("abcd") << QStringLiteral("xbyd") << true << QStringLiteral("xbyd") << 0 << 2;
    QTest::newRow("case counts") << QStringLiteral("abc") << QStringLiteral("aBc") << true
                                 << QStringLiteral("aBc") << 0 << 1;
    QTest::newRow("judged against the trimmed line")
        << QStringLiteral("  ab c  ") << QStringLiteral("ab c") << true << QStringLiteral("ab c") << 0 << 0;
    QTest::newRow("typed blanks are kept")
        << QStringLiteral("ab") << QStringLiteral(" ab") << true << QStringLiteral(" ab") << 0 << 3;
}

void tst_TypingLine::typedLetters()
{
    QFETCH(QString, wanted);
    QFETCH(QString, keys);
    QFETCH(bool, backAllowed);
    QFETCH(QString, written);
    QFETCH(int, beeps);
    QFETCH(int, errors);

    cTypingLine line = activeLine(wanted, backAllowed);
    QCOMPARE(type(line, keys), beeps);
    QCOMPARE(line.sWrittenText, written);
    QCOMPARE(line.iNumofLetter, qint16(written.size() + 1));
    line.CountErrors();
    QCOMPARE(line.iNumOfErrors, qint16(errors));
}

void tst_TypingLine::keysThatCannotBeTyped()
{
    cTypingLine line = activeLine(QStringLiteral("abc"));
    type(line, QStringLiteral("a"));
    for (qint16 key : {cTypingLine::kEnter, cTypingLine::kTab, cTypingLine::kEscape}) {
        const cTypingLine::KeyVerdict verdict = line.JudgeKey(key, 36001);
        QVERIFY(verdict.bBeep);
        QVERIFY(!verdict.bJudged);
    }
    QCOMPARE(line.sWrittenText, QStringLiteral("a"));
    // A refused Backspace beeps and still redraws.
    line.bBackAllowed = false;
    const cTypingLine::KeyVerdict refused = line.JudgeKey(cTypingLine::kBackspace, 36001);
    QVERIFY(refused.bBeep);
    QVERIFY(refused.bJudged);
}

void tst_TypingLine::inactiveLineIgnoresEverything()
{
    cTypingLine line = activeLine(QStringLiteral("abc"));
    line.bActive = false;
    for (qint16 key : {qint16('a'), cTypingLine::kBackspace, cTypingLine::kEnter, cTypingLine::kEscape}) {
        const cTypingLine::KeyVerdict verdict = line.JudgeKey(key, 36001);
        QVERIFY(!verdict.bBeep);
        QVERIFY(!verdict.bJudged);
    }
    QVERIFY(line.sWrittenText.isEmpty());
    QVERIFY(!line.bTimerStarted);
}

void tst_TypingLine::clockStartsAtFirstLetter()
{
    cTypingLine line = activeLine(QStringLiteral("abc"));
    line.JudgeKey(cTypingLine::kBackspace, 100.2);
    QVERIFY(!line.bTimerStarted);
    QCOMPARE(line.iSpeed, 0.0);

    line.JudgeKey('a', 200.7);
    QVERIFY(line.bTimerStarted);
    QCOMPARE(line.iSpeed, 200.0);
    line.JudgeKey(cTypingLine::kBackspace, 230.1);
    line.JudgeKey('a', 240.9);
    QCOMPARE(line.iSpeed, 200.0);
}

void tst_TypingLine::keyIntervals()
{
    // Each key at a made-up time (ms): the pad notes it after judging, as it does with its clock.
    cTypingLine line = activeLine(QStringLiteral("بلا تمن كط"));
    const auto key = [&line](const QString &letters, qint64 ms) {
        for (qint16 code : codesOf(letters)) {
            const qsizetype before = line.sWrittenText.size();
            line.JudgeKey(code, 36000);
            line.NoteKeyTime(before, ms);
        }
    };
    key(QStringLiteral("ب"), 1000);  // the line's first letter: untimed
    key(QStringLiteral("لا"), 1300); // one key, two letters
    key(QStringLiteral(" "), 1500);
    key(QStringLiteral("ن"), 1700); // wrong, then corrected: the letter after the correction is untimed
    key(QStringLiteral("\b"), 2000);
    key(QStringLiteral("ت"), 2200);
    key(QStringLiteral("م"), 8000); // after a pause
    key(QStringLiteral("ن"), 8250);
    QCOMPARE(line.KeyIntervals(), (QList<qint32>{-1, 300, 0, 200, -1, -1, 250, -1, -1, -1}));
    line.BeginLine();
    QCOMPARE(line.KeyIntervals(), QList<qint32>(10, -1));
}

void tst_TypingLine::errorPositions_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QList<qsizetype>>("wrong");

    QTest::newRow("none") << QStringLiteral("abc") << QStringLiteral("abc") << QList<qsizetype>{};
    QTest::newRow("middle") << QStringLiteral("abc") << QStringLiteral("axc") << QList<qsizetype>{1};
    QTest::newRow("past the end of the line")
        << QStringLiteral("ab") << QStringLiteral("abcd") << QList<qsizetype>{2, 3};
    QTest::newRow("arabic with a wrong alef form")
        << QStringLiteral("لا سلام") << QStringLiteral("لأ سلام") << QList<qsizetype>{1};
}

void tst_TypingLine::errorPositions()
{
    QFETCH(QString, wanted);
    QFETCH(QString, written);
    QFETCH(QList<qsizetype>, wrong);

    cTypingLine line = activeLine(wanted);
    type(line, written);
    QCOMPARE(line.CountErrors(), wrong);
    QCOMPARE(line.iNumOfErrors, qint16(wrong.size()));
}

void tst_TypingLine::results_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<int>("errors");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("accuracy");

    const QString twenty = QStringLiteral("abcde fghij klmno pq");
    QTest::newRow("20 letters in 30 s") << twenty << 0 << 36000.0 << 36030.0 << 40.0 << 100.0;
    QTest::newRow("one error in 20") << twenty << 1 << 36000.0 << 36030.0 << 40.0 << 95.0;
    QTest::newRow("3 errors in 70 truncates")
        << QString(70, QLatin1Char('a')) << 3 << 0.0 << 60.0 << 70.0 << 95.0;
    QTest::newRow("speed truncates") << twenty << 0 << 36000.0 << 36031.5 << 38.0 << 100.0;
    QTest::newRow("across midnight") << twenty << 0 << 86390.0 << 20.0 << 40.0 << 100.0;
    QTest::newRow("more errors than letters") << QStringLiteral("ab") << 3 << 0.0 << 60.0 << 2.0 << 50.0;
}

void tst_TypingLine::results()
{
    QFETCH(QString, wanted);
    QFETCH(int, errors);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, speed);
    QFETCH(double, accuracy);

    cTypingLine line = activeLine(wanted);
    line.iSpeed = start;
    line.iNumOfErrors = qint16(errors);
    line.CalcResult(end);
    QCOMPARE(line.iSpeed, speed);
    QCOMPARE(line.iAccuracy, accuracy);
    QVERIFY(line.iSpeed >= 0);
}

void tst_TypingLine::emptyLineFinishesAtOnce()
{
    cTypingLine line = activeLine(QStringLiteral("   "));
    line.JudgeKey('a', 36000.4);
    QVERIFY(line.LineComplete());
    line.CountErrors();
    line.CalcResult(36010);
    QCOMPARE(line.iAccuracy, 100.0);
    QCOMPARE(line.iSpeed, 0.0);

    // No time at all between start and end: the speed stays 0 rather than dividing by zero.
    cTypingLine quick = activeLine(QStringLiteral("a"));
    quick.JudgeKey('a', 50.0);
    quick.CountErrors();
    quick.CalcResult(50.0);
    QCOMPARE(quick.iSpeed, 0.0);
    QCOMPARE(quick.iAccuracy, 100.0);

    // An error count whose 16-bit product overflows leaves the accuracy as it was before the step.
    cTypingLine flooded = activeLine(QStringLiteral("ab"));
    flooded.iNumOfErrors = 400;
    flooded.iAccuracy = 0;
    flooded.CalcResult(60);
    QCOMPARE(flooded.iAccuracy, 100.0);
}

void tst_TypingLine::tickFigures_data()
{
    QTest::addColumn<bool>("arabic");
    QTest::addColumn<double>("L");
    QTest::addColumn<double>("x");

    // A line 70 pixels wide on a pad 170 wide starts at 50.
    QTest::newRow("first letter, left to right") << false << 0.0 << 54.0;
    QTest::newRow("third letter, left to right") << false << 14.0 << 68.0;
    QTest::newRow("first letter, right to left") << true << 0.0 << 115.0;
    QTest::newRow("third letter, right to left") << true << 14.0 << 101.0;
}

void tst_TypingLine::tickFigures()
{
    QFETCH(bool, arabic);
    QFETCH(double, L);
    QFETCH(double, x);
    const double X0 = cTypingLine::LineLeft(170, 70);
    QCOMPARE(X0, 50.0);
    QCOMPARE(cTypingLine::TickX(arabic, X0, 70, L), x);
}

QTEST_MAIN(tst_TypingLine)
#include "tst_typingline.moc"
