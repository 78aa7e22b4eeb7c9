// The lesson controller: the random test text, storing a test's result, and the
// practice run it hands to the main window.

#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "platform/Random.h"
#include "support/TestSupport.h"
#include "typing/cTest.h"
#include "users/cUser.h"

#include <QtTest>

using namespace testsupport;

namespace {

QStringList lessonLines(int block)
{
    QStringList lines;
    for (int k = 1; k <= LoadResNumber(block); ++k)
        lines.append(LoadResString(block + k));
    return lines;
}

void setLanguage(const char *language)
{
    theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), QString::fromLatin1(language));
}

} // namespace

class tst_LessonController : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("learner"));
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void testText_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<QList<double>>("sequence");
        QTest::newRow("Arabic lesson 1, ends of the range") << 2100 << QList<double>{0.0, 0.999, 0.5};
        QTest::newRow("Arabic lesson 6, one line over and over") << 2600 << QList<double>{0.3};
        QTest::newRow("English lesson 2") << 4200 << QList<double>{0.91, 0.02, 0.47, 0.66};
        QTest::newRow("English lesson 5") << 4500 << QList<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7};
    }
    void testText()
    {
        QFETCH(int, block);
        QFETCH(QList<double>, sequence);
        platform::setRandomSequenceForTesting(sequence);
        const QStringList lines = lessonLines(block);
        QVERIFY(!lines.isEmpty());

        const QString text = cLesson::BuildTestText(block);

        // Each draw r picks line 1 + floor(n·r); lines follow one another with
        // nothing between.
        QString expected;
        int draw = 0;
        while (expected.size() <= 300)
            expected += lines.at(int(lines.size() * sequence.at(draw++ % sequence.size())));
        QCOMPARE(text, expected);
        QVERIFY(text.size() > 300);
    }

    void testTextOfLessonWithoutLines()
    {
        // A block with no count must not spin for ever.
        QCOMPARE(cLesson::BuildTestText(9900), QString());
    }

    void finishedTestReplacesResult_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("block");
        QTest::newRow("Arabic") << QStringLiteral("Ar") << 2300;
        QTest::newRow("English") << QStringLiteral("En") << 4300;
    }
    void finishedTestReplacesResult()
    {
        QFETCH(QString, language);
        QFETCH(int, block);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), language);
        cLesson &lesson = theLesson();
        lesson.bLessonNumric = 3;
        lesson.sLessonAlpha = LoadResString(1005);

        QString title;
        QString text;
        qint16 speed = 0;
        qint16 accuracy = 0;
        bool finished = true;
        cTest::SetRunner([&](cTest &test) {
            title = test.sTitle;
            text = test.sWantedText;
            test.iSpeed = speed;
            test.iAccuracy = accuracy;
            if (finished)
                test.Finished();
        });

        speed = 160;
        accuracy = 97;
        lesson.ShowTest(2);
        QCOMPARE(title, QStringLiteral("اختبار - الدرس الثالث"));
        QVERIFY(text.size() > 300);
        const QStringList lines = lessonLines(block);
        QVERIFY(std::any_of(lines.cbegin(), lines.cend(),
                            [&](const QString &line) { return text.startsWith(line); }));
        QCOMPARE(lesson.GetTestSpeed(3, 2), qint16(160));
        QCOMPARE(lesson.GetTestAccuracy(3, 2), qint16(97));

        // Leaving the test keeps the slot, and so does a finished test whose result reads as none.
        finished = false;
        lesson.ShowTest(2);
        finished = true;
        speed = 0;
        accuracy = 0;
        lesson.ShowTest(2);
        QCOMPARE(lesson.GetTestSpeed(3, 2), qint16(160));
        QCOMPARE(lesson.GetTestAccuracy(3, 2), qint16(97));

        // A worse finished test still replaces it, even one with a speed of 0.
        speed = 0;
        accuracy = 40;
        lesson.ShowTest(2);
        QCOMPARE(lesson.GetTestSpeed(3, 2), qint16(0));
        QCOMPARE(lesson.GetTestAccuracy(3, 2), qint16(40));

        // Only that slot of that language was touched.
        QCOMPARE(lesson.GetTestAccuracy(3, 1), qint16(0));
        QCOMPARE(lesson.GetTestAccuracy(3, 3), qint16(0));
        setLanguage(language == QStringLiteral("Ar") ? "En" : "Ar");
        QCOMPARE(lesson.GetTestAccuracy(3, 2), qint16(0));
    }

    void testTextFollowsLanguage()
    {
        // The language is read at each call, never kept from an earlier one.
        cLesson &lesson = theLesson();
        lesson.bLessonNumric = 1;
        QString text;
        cTest::SetRunner([&](cTest &test) { text = test.sWantedText; });
        platform::setRandomSequenceForTesting({0.0});

        setLanguage("Ar");
        lesson.ShowTest(1);
        QVERIFY(text.startsWith(LoadResString(2101)));
        setLanguage("En");
        lesson.ShowTest(1);
        QVERIFY(text.startsWith(LoadResString(4101)));
    }

    void practiceOfArabicLesson3()
    {
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QStringLiteral("Small"));
        setLanguage("Ar");
        cLesson &lesson = theLesson();
        lesson.bLessonNumric = 3;
        lesson.sLessonAlpha = LoadResString(1005);
        lesson.sLessonLetters = LoadResString(1017);

        lesson.ShowPractice();

        const std::optional<cPractice> &practice = Window<frmMain>().CurrentPractice();
        QVERIFY(practice.has_value());
        QCOMPARE(practice->sTitle, QStringLiteral("تدريب - الدرس الثالث"));
        QCOMPARE(practice->sLetters, QStringLiteral("غعهخحجد"));
        QVERIFY(practice->bShowMessageBox);
        QCOMPARE(practice->iShowMessagePer, qint16(5));
        QCOMPARE(practice->iNumOfSessions, qint16(35));
        for (qint16 i = 1; i <= 35; ++i)
            QCOMPARE(practice->GetText(i), LoadResString(2300 + i));
        // Seven section texts, each before its five lines, then the closing
        // message.
        QCOMPARE(practice->NumOfMessages(), qint16(8));
        for (qint16 i = 1; i <= 7; ++i)
            QCOMPARE(practice->GetMessage(i), LoadResString(3300 + i));
        QCOMPARE(practice->GetMessage(8), QStringLiteral("نهاية التدريب."));
        QVERIFY(practice->GetMessage(1).startsWith(QStringLiteral("استعد")));
    }

    void practiceFollowsLanguage_data()
    {
        QTest::addColumn<int>("lesson");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("messages");
        QTest::newRow("English lesson 1") << 1 << 40 << 9;
        QTest::newRow("English lesson 5") << 5 << 30 << 7;
    }
    void practiceFollowsLanguage()
    {
        QFETCH(int, lesson);
        QFETCH(int, lines);
        QFETCH(int, messages);
        setLanguage("En");
        theLesson().bLessonNumric = quint8(lesson);
        theLesson().ShowPractice();
        const std::optional<cPractice> &practice = Window<frmMain>().CurrentPractice();
        QVERIFY(practice.has_value());
        QCOMPARE(int(practice->iNumOfSessions), lines);
        QCOMPARE(int(practice->NumOfMessages()), messages);
        QCOMPARE(practice->GetMessage(1), LoadResString(5000 + 100 * lesson + 1));
        QCOMPARE(practice->GetMessage(qint16(messages)), QStringLiteral("نهاية التدريب."));
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
};

QTEST_MAIN(tst_LessonController)
#include "tst_lessoncontroller.moc"
