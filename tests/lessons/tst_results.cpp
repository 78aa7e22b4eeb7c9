// Stored test results, the pass rule, comments, averages and the lesson to continue with.
#include "lessons/cLesson.h"
#include "support/TestSupport.h"
#include "users/cUser.h"

#include <QtTest>

using namespace testsupport;

class TestResults : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchFolder> m_folder;

    static void store(qint16 lesson, qint16 test, qint16 speed, qint16 accuracy)
    {
        theLesson().SetTestSpeed(lesson, test, speed);
        theLesson().SetTestAccuracy(lesson, test, accuracy);
    }
    static void passLesson(qint16 lesson)
    {
        for (qint16 test = 1; test <= 3; ++test)
            store(lesson, test, 200, 100);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        // Targets: 8 words (40 letters) per minute, 90 %.
        createAndLogIn(QStringLiteral("learner"), 8, 90);
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void passRule_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("accuracy");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("comment");
        QTest::newRow("exactly the targets") << 40 << 90 << true << "تم تحقيق المستوى";
        QTest::newRow("one letter slower") << 39 << 100 << false << "بحاجة الى اعادة";
        QTest::newRow("one percent less") << 40 << 89 << false << "بحاجة الى اعادة";
        QTest::newRow("well above") << 300 << 100 << true << "تم تحقيق المستوى";
        QTest::newRow("not taken") << 0 << 0 << false << "لم يتم الاختبار";
        QTest::newRow("speed only") << 50 << 0 << false << "بحاجة الى اعادة";
    }
    void passRule()
    {
        QFETCH(int, speed);
        QFETCH(int, accuracy);
        QFETCH(bool, passes);
        QFETCH(QString, comment);
        QCOMPARE(theLesson().PassTest(qint16(speed), qint16(accuracy)), passes);
        QCOMPARE(theLesson().ResultAlpha(qint16(speed), qint16(accuracy)), comment);
    }

    void slotsRoundTripPerLanguage()
    {
        store(2, 3, 123, 97);
        QCOMPARE(theUser().ReadInteger(65), qint16(123));
        QCOMPARE(theUser().ReadInteger(67), qint16(97));
        theUser().SetSettings("General", "Lang", "E");
        QCOMPARE(theLesson().GetTestSpeed(2, 3), qint16(0));
        store(2, 3, 77, 66);
        QCOMPARE(theUser().ReadInteger(137), qint16(77));
        QCOMPARE(theUser().ReadInteger(139), qint16(66));
        theUser().SetSettings("General", "Lang", "A");
        QCOMPARE(theLesson().GetTestSpeed(2, 3), qint16(123));
        QCOMPARE(theLesson().GetTestAccuracy(2, 3), qint16(97));
    }

    void averagesTruncate()
    {
        store(1, 1, 31, 95);
        store(1, 2, 31, 96);
        store(1, 3, 32, 96);
        qint16 speed = -1, accuracy = -1;
        theLesson().GetAverage(1, speed, accuracy);
        QCOMPARE(speed, qint16(31));
        QCOMPARE(accuracy, qint16(95));

        store(2, 1, 30, 100);
        theLesson().GetAverage(2, speed, accuracy);
        QCOMPARE(speed, qint16(10)); // untaken tests count as 0
        QCOMPARE(accuracy, qint16(33));

        theLesson().GetAverage(3, speed, accuracy);
        QCOMPARE(speed, qint16(0));
        QCOMPARE(theLesson().ResultAlpha(speed, accuracy), QStringLiteral("لم يتم الاختبار"));
    }

    void currentLesson()
    {
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(1));
        passLesson(3);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(4)); // the highest passed lesson counts
        passLesson(1);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(4));
        passLesson(6);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(6));
    }

    void currentLessonNeedsBothAverages()
    {
        // Two good tests and an untaken one average below the targets.
        store(1, 1, 60, 100);
        store(1, 2, 60, 100);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(1));
        store(1, 3, 60, 100);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(2));
    }

    void languagesAreIndependent()
    {
        passLesson(2);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(3));
        theUser().SetSettings("General", "Lang", "E");
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(1));
        passLesson(4);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(5));
        theUser().SetSettings("General", "Lang", "A");
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(3));
    }

    void targetsAreReadAfresh()
    {
        store(1, 1, 45, 92);
        store(1, 2, 45, 92);
        store(1, 3, 45, 92);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(2));
        theUser().SetSettings("User", "Speed", 50);
        QCOMPARE(theLesson().GetCurrentLesson(), qint16(1));
    }
};

QTEST_MAIN(TestResults)
#include "tst_results.moc"
