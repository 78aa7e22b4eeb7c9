// A learner's progress end to end, under Xvfb with real physical keys: a lesson practice line with
// one wrong key and lesson test 1, then "تقدمي" from the menu shows the one test and that key first
// among the weakest, in Arabic and in English.
#include "E2eKeys.h"
#include "E2eSupport.h"

#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "platform/Folders.h"
#include "platform/KeyboardLayout.h"
#include "progress/ProgressChart.h"
#include "progress/frmProgress.h"
#include "users/ProfileFile.h"
#include "users/cHistory.h"
#include "users/cUser.h"
#include "users/frmUsers.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QtTest>

using namespace e2e;

namespace {

// How far a grabbed pixel may stand from the colour drawn.
constexpr int kTolerance = 6;
constexpr const char *kSeed = "20261208";

} // namespace

class TestProgressEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;

private slots:
    void initTestCase()
    {
        qputenv("KZ_RANDOM_SEED", kSeed);
        FillKeyTables();
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");
    }
    void cleanupTestCase() { m_x.reset(); }

    void oneWrongKeyAndOneTest_data()
    {
        QTest::addColumn<char>("language");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("wrongLetter");
        QTest::newRow("Arabic") << 'A' << QString::fromLatin1(platform::kArabicLayout) << 2100
                                << QStringLiteral("ض");
        QTest::newRow("English") << 'E' << QString::fromLatin1(platform::kEnglishLayout) << 4100
                                 << QStringLiteral("q");
    }
    void oneWrongKeyAndOneTest()
    {
        QFETCH(char, language);
        QFETCH(QString, layout);
        QFETCH(int, block);
        QFETCH(QString, wrongLetter);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).toLower();
        const bool arabic = language == 'A';

        Tutor tutor(*m_x);
        const QString profile = tutor.folder() + QStringLiteral("Layla.USR");
        QVERIFY(createLearner(profile, language));

        QVERIFY(tutor.start());
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        frmUsers usersLayout;
        m_x->click(users, centreIn(usersLayout.cmdOK, &usersLayout));
        const QString main = m_x->waitForWindow(QStringLiteral("^Tavrin$"));
        QVERIFY(!main.isEmpty());

        // The first practice line of the current lesson, with its first letter key typed wrong.
        frmMain mainLayout;
        frmLessons lessonsLayout;
        m_x->click(main, centreIn(mainLayout.cmdLesson[0], &mainLayout));
        m_x->click(main, centreIn(lessonsLayout.cmdPractice, lessonsLayout.picLesson));
        m_x->key(main, {QStringLiteral("Return")}); // past the section's text
        const QString line = LoadResString(block + 1).trimmed();
        const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
        qsizetype wrongAt = 0;
        while (wrongAt < line.size() && !table.contains(QString(line.at(wrongAt)), Qt::CaseInsensitive))
            ++wrongAt;
        QVERIFY(wrongAt < line.size());
        QVERIFY(line.at(wrongAt) != wrongLetter.at(0));
        const QString wantedKey = line.at(wrongAt).toUpper();
        QString typed = line;
        typed[wrongAt] = wrongLetter.at(0);
        m_x->key(main, keysFor(typed, layout));
        QThread::msleep(300);
        m_x->key(main, {QStringLiteral("Escape")});

        // Lesson test 1 without a mistake.
        m_x->click(main, centreIn(lessonsLayout.cmdTest, lessonsLayout.picLesson));
        m_x->click(main, centreIn(lessonsLayout.Command3, lessonsLayout.picTestResult));
        const QString test = m_x->waitForWindow(QStringLiteral("^Tavrin - اختبار$"));
        QVERIFY2(!test.isEmpty(), "the test window did not open");
        const QString text = firstTestText(block, kSeed);
        for (int i = 0; i < 5; ++i)
            m_x->key(test, keysFor(text.mid(i * 60, 60).trimmed(), layout));
        QThread::msleep(300);
        m_x->key(test, {QStringLiteral("Escape")});
        QVERIFY(m_x->waitForWindowGone(test));

        // "تقدمي" from the menu.
        m_x->click(main, centreIn(mainLayout.lblSection[frmMain::kProgressIndex], &mainLayout));
        QThread::msleep(500);
        m_x->screenshot(QStringLiteral("progress-") + tag);
        const QImage shown = grabWindow(*m_x, main);

        // The history holds the line, with the one miss where the wrong key went, and the test.
        const QList<HistoryRecord> records =
            cHistory::Decode(cHistory::ReadFile(cHistory::PathFor(tutor.folder(), QStringLiteral("Layla"))));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.at(0).kind, HistoryRecord::Kind::PracticeLine);
        QCOMPARE(records.at(1).kind, HistoryRecord::Kind::Test);
        QCOMPARE(records.at(1).iAccuracy, qint16(100));
        for (const HistoryRecord::KeyCount &key : records.at(0).keys)
            QCOMPARE(key.iMissed, quint16(key.cKey == line.at(wrongAt) ? 1 : 0));
        killTutorsIn(tutor.folder());

        // The same screen over the same files: one test point, and the key first among the weakest.
        platform::setProgramFolderForTesting(tutor.folder());
        QVERIFY(theUser().LogIn(QStringLiteral("Layla")));
        frmProgress &screen = Window<frmProgress>();
        QCOMPARE(screen.picChart->PointCount(), 1);
        QCOMPARE(screen.sWeakLetters.value(0), wantedKey);
        QVERIFY(screen.lblWeak[0]->text().startsWith(QLatin1Char(' ') + wantedKey + QStringLiteral(" :")));
        QVERIFY(screen.cmdPractice->isEnabled());

        // On the real screen that key is tinted as the twin's is.
        if (!shown.isNull()) {
            const int position = keygrid::positionOf(wantedKey, arabic);
            const QColor expected = screen.picKeyboard->KeyFills().value(position);
            const QRect box = keygrid::keyBox(position).translated(screen.picKeyboard->pos());
            const QPoint probe(box.center().x() + 9, box.bottom() - 4);
            QVERIFY2(near(shown.pixelColor(probe), expected, kTolerance),
                     qPrintable(shown.pixelColor(probe).name() + QStringLiteral(" ≠ ") + expected.name()));
            QVERIFY(expected != frmProgress::TintFor(0));
            // And the test is the one point drawn on the chart, in both lines' colours.
            const QPoint chart = screen.picChart->pos();
            QVERIFY(near(shown.pixelColor(chart + screen.picChart->SpeedAt(0).toPoint()),
                         ProgressChart::kSpeedColour, kTolerance));
            QVERIFY(near(shown.pixelColor(chart + screen.picChart->AccuracyAt(0).toPoint()),
                         ProgressChart::kAccuracyColour, kTolerance));
        }
        WindowRegistry::UnloadAll();
        theUser().LogOut();
        platform::setProgramFolderForTesting(QString());
    }
};

QTEST_MAIN(TestProgressEndToEnd)
#include "e2e_progress.moc"
