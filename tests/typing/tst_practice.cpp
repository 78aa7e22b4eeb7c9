// Practice runs: the order of messages and lines, the panel's labels and bar, Escape and the focus.
#include "app/WindowRegistry.h"
#include "mainwindow/frmMain.h"
#include "support/TestSupport.h"
#include "typing/PracticePanel.h"
#include "typing/TypingPad.h"
#include "typing/cPracticeRun.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

namespace {

cPractice makePractice(int lines, bool messages, int per = 5)
{
    cPractice practice;
    practice.bShowMessageBox = messages;
    practice.SetNumOfMessages(qint16(1 + lines / per));
    practice.iShowMessagePer = qint16(per);
    practice.sTitle = QStringLiteral("الدرس الاول");
    practice.sLetters = QStringLiteral("سشي");
    practice.SetNumOfSessions(qint16(lines));
    for (int i = 1; i <= lines; ++i)
        practice.AddText(qint16(i), QStringLiteral("line %1").arg(i));
    for (int i = 1; i <= 1 + lines / per; ++i)
        practice.AddMessage(qint16(i), QStringLiteral("m%1").arg(i));
    return practice;
}

QString stepName(const cPracticeRun::Step &step)
{
    switch (step.kind) {
    case cPracticeRun::StepKind::Message:
        return QStringLiteral("M%1").arg(step.iNumber);
    case cPracticeRun::StepKind::Line:
        return QStringLiteral("L%1").arg(step.iNumber);
    case cPracticeRun::StepKind::End:
        break;
    }
    return QStringLiteral("end");
}

} // namespace

class tst_Practice : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchFolder> m_folder;

    static frmMain &main() { return Window<frmMain>(); }
    static PracticePanel &panel() { return *main().picPractice; }

    void logIn(const QString &unit = QStringLiteral("L"), const QString &size = QStringLiteral("Small"))
    {
        createAndLogIn(QStringLiteral("learner"));
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), QStringLiteral("E"));
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Unit"), unit);
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), size);
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }

private slots:
    void init() { m_folder = std::make_unique<ScratchFolder>(); }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void orderOfSteps_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("messages");
        QTest::addColumn<QString>("order");

        QTest::newRow("12 lines") << 12 << true << "M1 L1 L2 L3 L4 L5 M2 L6 L7 L8 L9 L10 M3 L11 L12 end";
        QTest::newRow("10 lines: a closing message")
            << 10 << true << "M1 L1 L2 L3 L4 L5 M2 L6 L7 L8 L9 L10 M3 end";
        QTest::newRow("no messages") << 7 << false << "L1 L2 L3 L4 L5 L6 L7 end";
    }

    void orderOfSteps()
    {
        QFETCH(int, lines);
        QFETCH(bool, messages);
        QFETCH(QString, order);

        const cPractice practice = makePractice(lines, messages);
        cPracticeRun run;
        QStringList steps{stepName(run.Begin(practice))};
        while (steps.last() != QLatin1String("end") && steps.size() < 100)
            steps.append(stepName(run.NextStep(practice)));
        QCOMPARE(steps.join(QLatin1Char(' ')), order);
    }

    void progressBox()
    {
        QCOMPARE(cPracticeRun::ProgressX(3, 12, 218), 163.5);
        QCOMPARE(cPracticeRun::ProgressX(12, 12, 163.5), 0.0);
        QCOMPARE(cPracticeRun::ProgressX(1, 0, 218), 218.0);     // no lines
        QCOMPARE(cPracticeRun::ProgressX(200, 300, 40.0), 40.0); // 200 x 218 overflows 16 bits
    }

    void bigFontCutsLines()
    {
        logIn(QStringLiteral("L"), QStringLiteral("Big"));
        const QString longLine = QStringLiteral("abcdefghij klmnopqrst uvwxyz abcd");
        cPractice practice;
        practice.SetNumOfSessions(2);
        practice.AddText(1, longLine);
        practice.AddText(3, longLine); // outside: ignored
        QCOMPARE(practice.GetText(1), longLine.left(20));
        QCOMPARE(practice.GetText(2), QString());
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QStringLiteral("Small"));
        practice.AddText(2, longLine);
        QCOMPARE(practice.GetText(2), longLine);
    }

    void wholeRunOnThePanel_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("messages");
        QTest::addColumn<QString>("order");

        QTest::newRow("12 lines")
            << 12 << true
            << "m1 line 1 line 2 line 3 line 4 line 5 m2 line 6 line 7 line 8 line 9 line 10 m3 "
               "line 11 line 12";
        QTest::newRow("10 lines")
            << 10 << true
            << "m1 line 1 line 2 line 3 line 4 line 5 m2 line 6 line 7 line 8 line 9 line 10 m3";
        QTest::newRow("no messages") << 3 << false << "line 1 line 2 line 3";
    }

    void wholeRunOnThePanel()
    {
        QFETCH(int, lines);
        QFETCH(bool, messages);
        QFETCH(QString, order);

        logIn();
        makePractice(lines, messages).StartPractic();
        QVERIFY(panel().isVisible());
        QCOMPARE(panel().lblPTitle->text(), QStringLiteral(" الدرس الاول"));
        QCOMPARE(panel().lblData[1]->text(), QStringLiteral(" س ش ي ."));

        QStringList seen;
        while (panel().isVisible() && seen.size() < 40) {
            if (panel().picMessage->isVisible()) {
                seen.append(panel().lblMsg->text());
                QVERIFY(!panel().TypingPad->bActive);
                QVERIFY(panel().cmdOK->isDefault());
                // Typing does nothing while a message shows, not even a blank typed ahead after the
                // last letter of a line; Enter presses OK.
                QWidget *focus = QApplication::focusWidget();
                QVERIFY(focus && panel().isAncestorOf(focus));
                const QString written = panel().TypingPad->sWrittenText;
                typeText(focus, QStringLiteral("xyz "));
                QTest::keyClick(focus, Qt::Key_Space);
                QCOMPARE(panel().TypingPad->sWrittenText, written);
                QVERIFY(panel().picMessage->isVisible());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else {
                QVERIFY(panel().TypingPad->bActive);
                QVERIFY(panel().TypingPad->hasFocus());
                seen.append(panel().TypingPad->sWantedText);
                typeText(panel().TypingPad, panel().TypingPad->sWantedText);
            }
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), order);
        QVERIFY(!panel().isVisible());
        QVERIFY(!main().CurrentPractice());
        QVERIFY(!panel().TypingPad->bActive);
    }

    void labelsAndBar_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("speed");

        QTest::newRow("letters per minute") << QStringLiteral("L") << QStringLiteral(" 40 حرف / دقيقة.");
        QTest::newRow("words per minute") << QStringLiteral("W") << QStringLiteral(" 8 كلمة / دقيقة.");
    }

    void labelsAndBar()
    {
        QFETCH(QString, unit);
        QFETCH(QString, speed);

        logIn(unit);
        ManualClock clock;
        cPractice practice = makePractice(12, false);
        practice.AddText(1, QStringLiteral("abcde fghij klmno pq"));
        practice.StartPractic();
        QCOMPARE(panel().lblData[3]->text(), QString());
        clock.now = 36000.2;
        typeText(panel().TypingPad, QStringLiteral("abcde fghij klmno p"));
        clock.now = 36030.0;
        typeText(panel().TypingPad, QStringLiteral("q"));
        QCOMPARE(panel().lblData[3]->text(), speed);
        QCOMPARE(panel().lblData[5]->text(), QStringLiteral(" 100 %"));

        for (int line = 2; line <= 3; ++line)
            typeText(panel().TypingPad, panel().TypingPad->sWantedText);
        QCOMPARE(panel().Run().iLineNumber, qint16(4));
        // After line 3 of 12 the magenta box covers the right quarter, from x = 163.5.
        const QImage bar = panel().picEl->pixmap().toImage();
        QCOMPARE(bar.size(), QSize(218, 17));
        const QColor magenta(128, 0, 128);
        for (int y : {0, 8, 16}) {
            QCOMPARE(bar.pixelColor(162, y) == magenta, false);
            QCOMPARE(bar.pixelColor(164, y), magenta);
            QCOMPARE(bar.pixelColor(217, y), magenta);
        }
    }

    void escapeThenCleanRun()
    {
        logIn();
        makePractice(12, false).StartPractic();
        typeText(panel().TypingPad, QStringLiteral("line 1"));
        typeText(panel().TypingPad, QStringLiteral("li"));
        QTest::keyClick(panel().TypingPad, Qt::Key_Escape);
        QVERIFY(!panel().isVisible());
        QVERIFY(!main().CurrentPractice());

        // A new run with messages starts from message 1, and the line left behind takes no keys.
        makePractice(12, true).StartPractic();
        QVERIFY(panel().isVisible());
        QVERIFY(panel().picMessage->isVisible());
        QCOMPARE(panel().lblMsg->text(), QStringLiteral("m1"));
        QCOMPARE(panel().lblData[3]->text(), QString());
        QCOMPARE(panel().Run().iLineNumber, qint16(0));
        QVERIFY(!panel().TypingPad->bActive);
        QCOMPARE(panel().picEl->pixmap().toImage().pixelColor(217, 8), QColor(Qt::white));

        // Escape during a message ends that run too; the next starts at line 1.
        QTest::keyClick(panel().cmdOK, Qt::Key_Escape);
        QVERIFY(!panel().isVisible());
        makePractice(12, false).StartPractic();
        QCOMPARE(panel().TypingPad->sWantedText, QStringLiteral("line 1"));
        QVERIFY(panel().TypingPad->sWrittenText.isEmpty());
        QVERIFY(!panel().picMessage->isVisible());
    }

    void padKeepsTheFocus()
    {
        logIn();
        makePractice(12, true).StartPractic();
        // During a message the OK button may have the keyboard.
        main().cmdLesson[0]->setFocus();
        QVERIFY(main().cmdLesson[0]->hasFocus());
        panel().cmdOK->click();
        QVERIFY(panel().TypingPad->hasFocus());
        // During a line the pad takes it back at once.
        main().cmdLesson[0]->setFocus();
        QVERIFY(panel().TypingPad->hasFocus());
        QTest::keyClick(panel().TypingPad, Qt::Key_Tab);
        QVERIFY(panel().TypingPad->hasFocus());
    }
};

QTEST_MAIN(tst_Practice)
#include "tst_practice.moc"
