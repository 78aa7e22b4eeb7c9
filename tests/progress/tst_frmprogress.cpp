// The learner's progress: finished practice lines and tests land in the history, and the progress
// screen, opened from the menu, shows the tests, the weakest keys and practises them.
#include "app/Blanks.h"
#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/SafeFile.h"
#include "platform/SyncWriter.h"
#include "progress/ProgressChart.h"
#include "progress/frmProgress.h"
#include "support/TestSupport.h"
#include "typing/PracticePanel.h"
#include "typing/TypingPad.h"
#include "typing/frmTest.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <mutex>

using namespace testsupport;

namespace {

frmMain &main()
{
    return Window<frmMain>();
}

QString historyPath()
{
    return cHistory::PathFor(platform::profileFolder(), theUser().sUserName);
}

QList<HistoryRecord> history()
{
    return cHistory::Decode(cHistory::ReadFile(historyPath()));
}

// A record of the learner's own, as the tutor would append it.
void addRecord(bool arabic, HistoryRecord::Kind kind, qint16 speed, qint16 accuracy, const QString &wanted,
               const QString &written)
{
    HistoryRecord record;
    record.bArabic = arabic;
    record.kind = kind;
    record.iSpeed = speed;
    record.iAccuracy = accuracy;
    record.AddKeys(wanted, written);
    QVERIFY(cHistory::Append(historyPath(), record));
}

frmProgress &openProgress()
{
    main().show();
    QTest::mouseClick(main().lblSection[frmMain::kProgressIndex], Qt::LeftButton);
    return Window<frmProgress>();
}

// Starts lesson 1's practice on the main window, past its opening text.
PracticePanel &startLessonPractice()
{
    main().show();
    theLesson().bLessonNumric = 1;
    theLesson().sLessonLetters = QStringLiteral("ASDF");
    theLesson().ShowPractice();
    QTest::mouseClick(main().picPractice->cmdOK, Qt::LeftButton);
    return *main().picPractice;
}

// Takes lesson test `test` in the real test window, typed without a mistake, and closes its result.
void takeLessonTest(qint16 test)
{
    QTimer::singleShot(0, [] {
        frmTest &window = Window<frmTest>();
        for (int i = 0; i < window.bNumberOfBoxeses; ++i)
            typeText(window.TypingPad[i], TrimBlanks(window.TypingPad[i]->sWantedText));
        QTest::mouseClick(window.cmdOK, Qt::LeftButton);
    });
    theLesson().ShowTest(test);
}

// Sees every sync through the disk seam, on whichever thread does it; fails each with `error`.
class SyncSpy
{
public:
    explicit SyncSpy(int error = 0)
    {
        platform::setDiskCallHookForTesting([this, error](const platform::DiskCall &call) {
            if (call.kind != platform::DiskCall::Kind::Sync)
                return 0;
            if (m_held)
                m_gate.tryAcquire(1, 5000);
            QThread::msleep(m_delayMs);
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_threads.append(QThread::currentThread());
            return error;
        });
    }
    ~SyncSpy()
    {
        release();
        platform::waitForSyncs(false);
        platform::setDiskCallHookForTesting({});
    }
    // Each sync waits for release() (at most five seconds).
    void holdBack() { m_held = true; }
    void release()
    {
        m_held = false;
        m_gate.release(1000);
    }
    void delayEachBy(int ms) { m_delayMs = ms; }
    QList<QThread *> threads()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_threads;
    }

private:
    std::mutex m_mutex;
    QList<QThread *> m_threads;
    QSemaphore m_gate;
    std::atomic<bool> m_held = false;
    std::atomic<int> m_delayMs = 0;
};

QStringList weakTexts(const frmProgress &screen)
{
    QStringList texts;
    for (QLabel *label : screen.lblWeak)
        texts.append(label->text());
    return texts;
}

} // namespace

class tst_FrmProgress : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_sandbox.emplace();
        createAndLogIn(QStringLiteral("Layla"), 8, 90);
        setSetting("General", "Lang", QStringLiteral("E"));
    }
    void cleanup() { m_sandbox.reset(); }

    void lessonLineAndTestAreRecorded()
    {
        ManualClock clock;
        main().show();
        theLesson().bLessonNumric = 1;
        theLesson().sLessonLetters = QStringLiteral("ASDF");
        theLesson().ShowPractice();
        PracticePanel &panel = *main().picPractice;
        QTest::mouseClick(panel.cmdOK, Qt::LeftButton); // past the section's text
        const QString line = TrimBlanks(panel.TypingPad->sWantedText);
        QVERIFY(line.size() > 3);
        // One wrong letter in the third place.
        const QChar wrongAt = line.at(2);
        QString typed = line;
        typed[2] = wrongAt == QLatin1Char('x') ? QLatin1Char('y') : QLatin1Char('x');
        typeText(panel.TypingPad, typed.left(typed.size() - 1));
        clock.now += 30;
        typeText(panel.TypingPad, typed.right(1));

        QList<HistoryRecord> records = history();
        QCOMPARE(records.size(), 1);
        const HistoryRecord &practice = records.at(0);
        QCOMPARE(practice.kind, HistoryRecord::Kind::PracticeLine);
        QCOMPARE(practice.source, HistoryRecord::Source::Lesson);
        QCOMPARE(practice.bLesson, quint8(1));
        QCOMPARE(practice.bSection, quint8(1));
        QVERIFY(!practice.bArabic);
        QCOMPARE(practice.iSpeed, qint16(line.size() * 2)); // the line in 30 seconds
        QCOMPARE(practice.iAccuracy, qint16(std::trunc(100.0 - 100.0 / line.size())));
        int wanted = 0, missed = 0, timed = 0;
        for (const HistoryRecord::KeyCount &key : practice.keys) {
            wanted += key.iWanted;
            missed += key.iMissed;
            timed += key.iTimed;
            QCOMPARE(key.iWanted, quint16(line.count(key.cKey)));
            if (key.iMissed > 0)
                QCOMPARE(key.cKey, wrongAt);
        }
        QCOMPARE(wanted, line.size());
        QCOMPARE(missed, 1);
        // The pad's times reach the record: every hit but the first letter's, unless a pause came.
        QVERIFY(timed > 0 && timed <= line.size() - 2);

        // Test 2 of the lesson, typed without a mistake in the modal test window.
        QString testText;
        QTimer::singleShot(0, [&testText] {
            frmTest &window = Window<frmTest>();
            for (int i = 0; i < window.bNumberOfBoxeses; ++i) {
                ::TypingPad *pad = window.TypingPad[i];
                testText += TrimBlanks(pad->sWantedText);
                typeText(pad, TrimBlanks(pad->sWantedText));
            }
            QTest::mouseClick(window.cmdOK, Qt::LeftButton);
        });
        theLesson().ShowTest(2);
        records = history();
        QCOMPARE(records.size(), 2);
        const HistoryRecord &test = records.at(1);
        QCOMPARE(test.kind, HistoryRecord::Kind::Test);
        QCOMPARE(test.bLesson, quint8(1));
        QCOMPARE(test.bSection, quint8(2));
        QCOMPARE(test.iSpeed, theLesson().GetTestSpeed(1, 2));
        QCOMPARE(test.iAccuracy, qint16(100));
        wanted = missed = timed = 0;
        for (const HistoryRecord::KeyCount &key : test.keys) {
            wanted += key.iWanted;
            missed += key.iMissed;
            timed += key.iTimed;
        }
        QCOMPARE(wanted, testText.size());
        QCOMPARE(missed, 0);
        QVERIFY(timed > 0);
    }

    // A finished lesson test is kept the moment its result shows, before OK: the slot's four bytes
    // in one write, then the history record. A stop between the two leaves the slot ahead of the
    // history, and the results table and the progress screen both read what is there.
    void testKeptWhenItsResultShows_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("both written") << false;
        QTest::newRow("stopped after the slot") << true;
    }
    void testKeptWhenItsResultShows()
    {
        QFETCH(bool, stopped);
        main().show();
        theLesson().bLessonNumric = 2;
        QList<QPair<qint64, qint64>> writes;
        platform::setDiskCallHookForTesting([&writes, stopped](const platform::DiskCall &call) {
            if (call.kind != platform::DiskCall::Kind::Write)
                return 0;
            writes.append({call.offset, call.size});
            // Stopped: no write after the slot's reaches the disk.
            return stopped && writes.size() > 1 ? EIO : 0;
        });
        DialogScript dialogs;
        qint16 slotWhileShown = 0;
        qsizetype recordsWhileShown = -1;
        QTimer::singleShot(0, [&] {
            frmTest &window = Window<frmTest>();
            for (int i = 0; i < window.bNumberOfBoxeses; ++i)
                typeText(window.TypingPad[i], TrimBlanks(window.TypingPad[i]->sWantedText));
            slotWhileShown = theLesson().GetTestAccuracy(2, 3);
            recordsWhileShown = history().size();
            QTest::mouseClick(window.cmdOK, Qt::LeftButton);
        });
        Window<frmLessons>().Command1->click(); // test 3
        platform::waitForSyncs();
        platform::setDiskCallHookForTesting({});
        QCOMPARE(writes.first(), qMakePair(qint64(ProfileFile::testSlotOffset(false, 2, 3)), qint64(4)));
        QCOMPARE(writes.size(), 2);
        QCOMPARE(slotWhileShown, qint16(100));
        QCOMPARE(recordsWhileShown, stopped ? 0 : 1);

        frmLessons &lessons = Window<frmLessons>();
        QCOMPARE(lessons.lblResult[6]->text(), screen::PercentText(100));
        QCOMPARE(lessons.lblResult[2]->text(), theUser().SpeedText(theLesson().GetTestSpeed(2, 3)));
        frmProgress &screen = openProgress();
        QCOMPARE(screen.lblEmpty->isVisible(), stopped);
    }

    // The key that ends a line never waits for the disk: the record is in the file at once while its
    // sync, held back here, waits on the writer thread; a lesson test's slot is synced there too.
    void lineEndNeverSyncs()
    {
        SyncSpy spy;
        spy.holdBack();
        PracticePanel &panel = startLessonPractice();
        typeText(panel.TypingPad, TrimBlanks(panel.TypingPad->sWantedText));
        QCOMPARE(history().size(), 1);
        spy.release();
        takeLessonTest(1);
        QCOMPARE(history().size(), 2);
        platform::waitForSyncs();
        // The line's record and its new name, the slot, the test's record.
        QCOMPARE(spy.threads().size(), 4);
        QVERIFY(!spy.threads().contains(QThread::currentThread()));
    }

    // Leaving the tutor, by the exit item or a signal, waits for the syncs under way.
    void exitWaitsForSyncs()
    {
        SyncSpy spy;
        spy.delayEachBy(100);
        PracticePanel &panel = startLessonPractice();
        typeText(panel.TypingPad, TrimBlanks(panel.TypingPad->sWantedText));
        int syncedAtEnd = -1;
        platform::setEndProgramForTesting([&](int) { syncedAtEnd = int(spy.threads().size()); });
        EndInOrder();
        QCOMPARE(syncedAtEnd, 2);
    }

    // A sync that fails is told once, as a failed append is, and a test slot's as a profile write's.
    void failedSyncIsTold()
    {
        SyncSpy spy(EIO);
        DialogScript dialogs;
        PracticePanel &panel = startLessonPractice();
        typeText(panel.TypingPad, TrimBlanks(panel.TypingPad->sWantedText));
        QTRY_COMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text,
                 QStringLiteral("تعذر حفظ هذه النتيجة في سجل التقدم.\r\r") + platform::systemErrorText(EIO));
        typeText(panel.TypingPad, TrimBlanks(panel.TypingPad->sWantedText));
        takeLessonTest(1);
        platform::waitForSyncs();
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests[1].text,
                 kProfileSaveFailed + QStringLiteral("\r\r") + platform::systemErrorText(EIO));
    }

    void failedAppendIsTold()
    {
        // A folder in the history's place: every append fails, and the learner hears of it once.
        QVERIFY(QDir().mkpath(historyPath()));
        DialogScript dialogs;
        theHistory().Record(HistoryRecord());
        theHistory().Record(HistoryRecord());
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text, QStringLiteral("تعذر حفظ هذه النتيجة في سجل التقدم.\r\r") +
                                               platform::systemErrorText(EISDIR));
        QCOMPARE(dialogs.requests[0].icon, platform::MessageIcon::Exclamation);
    }

    void emptyHistorySaysSo()
    {
        frmProgress &screen = openProgress();
        QVERIFY(screen.picProgress->isVisible());
        QVERIFY(main().lblSection[frmMain::kProgressIndex]->font().underline());
        QVERIFY(screen.lblEmpty->isVisible());
        QVERIFY(screen.lblEmpty->text().startsWith(QStringLiteral("لا يوجد شيء هنا بعد")));
        QCOMPARE(screen.picChart->PointCount(), 0);
        QCOMPARE(weakTexts(screen), QStringList(frmProgress::kWeakest, QString()));
        QVERIFY(!screen.cmdPractice->isEnabled());
        QVERIFY(screen.picKeyboard->KeyFills().isEmpty());
    }

    void showsTheLanguagesHistory_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qint16>("firstSpeed");
        QTest::addColumn<QString>("legend");
        QTest::newRow("words") << QStringLiteral("W") << qint16(20)
                               << QStringLiteral(" السرعة (كلمة / دقيقة)");
        QTest::newRow("letters") << QStringLiteral("L") << qint16(100)
                                 << QStringLiteral(" السرعة (حرف / دقيقة)");
    }
    void showsTheLanguagesHistory()
    {
        QFETCH(QString, unit);
        QFETCH(qint16, firstSpeed);
        QFETCH(QString, legend);
        setSetting("General", "Unit", unit);
        // English: a missed 2 of 2, q 2 of 4, w and s 1 of 4 (w first on the keyboard), the space 1 of 2;
        // Arabic records do not count.
        addRecord(false, HistoryRecord::Kind::Test, 100, 80, QStringLiteral("qqww as"),
                  QStringLiteral("xqwx x "));
        addRecord(false, HistoryRecord::Kind::PracticeLine, 50, 90, QStringLiteral("qqww a"),
                  QStringLiteral("qxwwxx"));
        addRecord(false, HistoryRecord::Kind::Test, 120, 95, QStringLiteral("sss"), QStringLiteral("sss"));
        addRecord(true, HistoryRecord::Kind::Test, 10, 10, QStringLiteral("ضضض"), QStringLiteral("xxx"));

        frmProgress &screen = openProgress();
        QVERIFY(!screen.lblEmpty->isVisible());
        QCOMPARE(screen.picChart->PointCount(), 2);
        QCOMPARE(screen.lblData[0]->text(), legend);
        // Speeds are drawn in the learner's unit.
        QCOMPARE(screen.picChart->Points().at(0).iSpeed, firstSpeed);
        QVERIFY(screen.picChart->SpeedAt(0).y() > screen.picChart->SpeedAt(1).y());
        QCOMPARE(screen.picChart->AccuracyAt(1).y(),
                 screen.picChart->PlotArea().bottom() - screen.picChart->PlotArea().height() * 0.95);
        QCOMPARE(weakTexts(screen),
                 (QStringList{QStringLiteral(" A : 100 %"), QStringLiteral(" Q : 50 %"),
                              QStringLiteral(" W : 25 %"), QStringLiteral(" S : 25 %"), QString()}));
        const QHash<int, QColor> fills = screen.picKeyboard->KeyFills();
        QCOMPARE(fills.value(keygrid::positionOf(QStringLiteral("Q"), false)), frmProgress::TintFor(0.5));
        QCOMPARE(fills.value(keygrid::kSpaceBar), frmProgress::TintFor(0.5));
        QVERIFY(!fills.contains(keygrid::positionOf(QStringLiteral("Z"), false))); // never typed
        QVERIFY(screen.cmdPractice->isEnabled());
    }

    void practisesTheWeakestKeys()
    {
        addRecord(false, HistoryRecord::Kind::PracticeLine, 50, 90, QStringLiteral("qqww ;"),
                  QStringLiteral("qxxw x"));
        frmProgress &screen = openProgress();
        const QStringList letters = {QStringLiteral(";"), QStringLiteral("Q"), QStringLiteral("W")};
        QCOMPARE(screen.sWeakLetters, letters);
        // By keyboard: the screen hands the keys to its button, and Enter presses it.
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QCOMPARE(QApplication::focusWidget(), screen.cmdPractice);
        QTest::keyClick(screen.cmdPractice, Qt::Key_Return);
        QVERIFY(main().picPractice->isVisible());
        const std::optional<cPractice> &practice = main().CurrentPractice();
        QVERIFY(practice);
        QCOMPARE(practice->sLetters, letters.join(QString()));
        QCOMPARE(practice->sTitle, QStringLiteral("تدريب - دروس خاصة"));
        QCOMPARE(practice->iNumOfSessions, qint16(50));
        QCOMPARE(practice->History.source, HistoryRecord::Source::CustomLetters);
        for (qint16 i = 1; i <= practice->iNumOfSessions; ++i) {
            const QString line = practice->GetText(i);
            QVERIFY(!line.isEmpty());
            for (QChar c : line)
                QVERIFY2(QStringLiteral(";wq ").contains(c), qPrintable(line));
        }
        QCOMPARE(main().picPractice->TypingPad->sWantedText, practice->GetText(1));
    }

    void menuItemAndShortcut()
    {
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        ClickableLabel *item = main().lblSection[frmMain::kProgressIndex];
        QCOMPARE(item->text(), QStringLiteral("تقدمي"));
        // It stands with the sections, inside the window, and moves none of them.
        QVERIFY(item->geometry().top() > main().lblSection[4]->geometry().bottom());
        QVERIFY(item->geometry().bottom() < main().lblSection[6]->geometry().top());
        QVERIFY(main().lblSection[10]->mapTo(&main(), QPoint(0, main().lblSection[10]->height())).y() <=
                main().height());
        QTest::keyClick(&main(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(WindowRegistry::IsLoaded<frmProgress>());
        QVERIFY(Window<frmProgress>().picProgress->isVisible());
    }
};

QTEST_MAIN(tst_FrmProgress)
#include "tst_frmprogress.moc"
