// Tests and the test window: splitting the text over the pads, the mean result, ESC, OK, the focus
// and the positions shared with the main window.
#include "app/Blanks.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "support/TestSupport.h"
#include "typing/NextKeyPanel.h"
#include "typing/TypingPad.h"
#include "typing/cTest.h"
#include "typing/frmTest.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace testsupport;

namespace {

// 320 characters whose lines of 60 neither begin nor end with a blank.
QString longText()
{
    QString text;
    while (text.size() < 320)
        text += QStringLiteral("abcdef ");
    return text.left(320);
}

} // namespace

class tst_TestWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchFolder> m_folder;
    cTest m_test;

    void logIn(const QString &size = QStringLiteral("Small"))
    {
        createAndLogIn(QStringLiteral("learner"), 6, 90);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), QStringLiteral("E"));
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), size);
    }

    frmTest &openWindow(const QString &text)
    {
        m_test = cTest();
        m_test.sTitle = QStringLiteral("الاختبار الاول");
        m_test.sWantedText = text;
        m_test.iSpeed = 7;
        m_test.iAccuracy = 7;
        frmTest &window = Window<frmTest>();
        window.CurrentTest = &m_test;
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
        return window;
    }

    // Types the current line of the window as it stands.
    static void typeCurrentLine(frmTest &window)
    {
        ::TypingPad *pad = window.TypingPad[window.iCurrentBox];
        typeText(pad, TrimBlanks(pad->sWantedText));
    }

private slots:
    void init() { m_folder = std::make_unique<ScratchFolder>(); }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void splitIntoLines_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<QList<int>>("lines");

        QTest::newRow("320 in small lines: five, the rest unused")
            << 320 << 60 << QList<int>{60, 60, 60, 60, 60};
        QTest::newRow("320 in large lines") << 320 << 30 << QList<int>{30, 30, 30, 30, 30};
        QTest::newRow("exactly two lines") << 120 << 60 << QList<int>{60, 60};
        QTest::newRow("a short last line") << 100 << 60 << QList<int>{60, 40};
        QTest::newRow("shorter than a line") << 12 << 60 << QList<int>{12};
        QTest::newRow("empty") << 0 << 60 << QList<int>{0};
    }

    void splitIntoLines()
    {
        QFETCH(int, length);
        QFETCH(int, lineLength);
        QFETCH(QList<int>, lines);

        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u'a' + i % 26);
        const QStringList split = cTest::SplitIntoLines(text, lineLength);
        QList<int> sizes;
        for (const QString &line : split)
            sizes.append(int(line.size()));
        QCOMPARE(sizes, lines);
        QCOMPARE(split.join(QString()), text.left(5 * lineLength));
    }

    void meanOfLines()
    {
        cTest test;
        test.SetResult({30, 31, 31, 31, 31}, {100, 95, 90, 99, 98});
        QCOMPARE(test.iSpeed, qint16(30)); // 154 / 5
        QCOMPARE(test.iAccuracy, qint16(96));
        // 16-bit sums saturate rather than wrap into a negative speed.
        test.SetResult({30000, 30000}, {100, 100});
        QVERIFY(test.iSpeed > 0);
    }

    void wholeTextTyped_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<int>("padHeight");

        QTest::newRow("small layout") << QStringLiteral("Small") << 60 << 80;
        QTest::newRow("large layout") << QStringLiteral("Big") << 30 << 90;
    }

    void wholeTextTyped()
    {
        QFETCH(QString, size);
        QFETCH(int, lineLength);
        QFETCH(int, padHeight);

        logIn(size);
        const QString text = longText();
        frmTest &window = openWindow(text);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tavrin - اختبار"));
        QCOMPARE(window.lblTitle->text(), QStringLiteral(" الاختبار الاول"));
        QCOMPARE(m_test.iSpeed, qint16(0));
        QCOMPARE(window.bNumberOfBoxeses, quint8(5));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(window.TypingPad[i]->sWantedText, text.mid(i * lineLength, lineLength));
            QCOMPARE(window.TypingPad[i]->height(), padHeight);
            QCOMPARE(window.TypingPad[i]->bActive, i == 0);
        }
        if (size == QLatin1String("Big")) {
            for (int i = 1; i < 5; ++i)
                QCOMPARE(window.TypingPad[i]->y(), window.TypingPad[i - 1]->y() + 90 - 1);
            QCOMPARE(window.TypingPad[0]->y(), 30);
        }

        for (int line = 0; line < 5; ++line) {
            QCOMPARE(window.iCurrentBox, qint16(line));
            QVERIFY(window.TypingPad[line]->hasFocus());
            QVERIFY(!window.picMessage->isVisible());
            typeCurrentLine(window);
        }
        QVERIFY(window.bFinish);
        QVERIFY(window.picMessage->isVisible());
        QCOMPARE(m_test.iAccuracy, qint16(100));
        // The result covers no pad: the lines and their marks can be reviewed beside it.
        for (::TypingPad *pad : window.TypingPad) {
            QVERIFY(!pad->bActive);
            const QRect padArea(pad->mapTo(&window, QPoint(0, 0)), pad->size());
            QVERIFY(!window.picMessage->geometry().intersects(padArea));
        }

        // The text goes on past the last line, so the learner may type ahead: that must not close
        // the result before it is read. Enter closes it.
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus && window.isAncestorOf(focus));
        QTest::keyClick(focus, Qt::Key_Space);
        typeText(focus, QStringLiteral("ab "));
        QVERIFY(window.picMessage->isVisible());
        QVERIFY(WindowRegistry::IsLoaded<frmTest>());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QCOMPARE(m_test.iAccuracy, qint16(100));
    }

    void textUsedUpEarly()
    {
        logIn();
        QString text;
        for (int i = 0; i < 120; ++i)
            text += QChar(u'a' + i % 26);
        frmTest &window = openWindow(text);
        QCOMPARE(window.bNumberOfBoxeses, quint8(2));
        QVERIFY(window.TypingPad[2]->sWantedText.isEmpty());
        typeCurrentLine(window);
        QVERIFY(!window.bFinish);
        typeCurrentLine(window);
        QVERIFY(window.bFinish);
        QVERIFY(window.picMessage->isVisible());
        QCOMPARE(m_test.iAccuracy, qint16(100));
    }

    void blankLastLineLeftOut()
    {
        logIn();
        ManualClock clock;
        // Line 2 holds only blanks: the test ends after line 1, and its result is line 1's alone.
        const QString text =
            QString(60, QLatin1Char('a')) + QString(60, QLatin1Char(' ')) + QStringLiteral("b");
        frmTest &window = openWindow(text);
        QCOMPARE(window.bNumberOfBoxeses, quint8(3));
        clock.now = 36000.5;
        typeText(window.TypingPad[0], QString(59, QLatin1Char('a')));
        clock.now = 36120.0;
        typeText(window.TypingPad[0], QStringLiteral("a"));
        QVERIFY(window.bFinish);
        QCOMPARE(m_test.iSpeed, qint16(30));
        QCOMPARE(m_test.iAccuracy, qint16(100));
    }

    void resultPanel()
    {
        logIn();
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Unit"), QStringLiteral("W"));
        ManualClock clock;
        const QString text = longText();
        frmTest &window = openWindow(text);
        // Line speeds 30, 31, 31, 31, 31: 60 letters in 120 s, then in 116 s.
        const QList<double> seconds = {120, 116, 116, 116, 116};
        for (int line = 0; line < 5; ++line) {
            const QString wanted = window.TypingPad[line]->sWantedText;
            clock.now = 40000.0 + line * 1000;
            typeText(window.TypingPad[line], wanted.left(59));
            clock.now += seconds[line];
            typeText(window.TypingPad[line], wanted.mid(59));
            QCOMPARE(window.TypingPad[line]->iSpeed, line == 0 ? 30.0 : 31.0);
        }
        QCOMPARE(m_test.iSpeed, qint16(30));
        QCOMPARE(m_test.iAccuracy, qint16(100));
        QCOMPARE(window.lblData[5]->text(), QStringLiteral(" 6 كلمة / دقيقة."));
        QCOMPARE(window.lblData[6]->text(), QStringLiteral(" 100 %"));
        QCOMPARE(window.lblData[7]->text(),
                 QLatin1Char(' ') + theLesson().ResultAlpha(30, 100) + QStringLiteral(" ."));

        // ESC after the result keeps it.
        QTest::keyClick(window.cmdOK, Qt::Key_Escape);
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QCOMPARE(m_test.iSpeed, qint16(30));
        QCOMPARE(m_test.iAccuracy, qint16(100));
    }

    void escapeBeforeTheEnd()
    {
        logIn();
        Window<frmMain>().move(123, 45);
        frmTest &window = openWindow(longText());
        QCOMPARE(window.pos(), QPoint(123, 45));
        typeCurrentLine(window);
        typeText(window.TypingPad[1], QStringLiteral("wor"));
        window.move(200, 150);
        QTest::keyClick(window.TypingPad[1], Qt::Key_Escape);
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QCOMPARE(m_test.iSpeed, qint16(0));
        QCOMPARE(m_test.iAccuracy, qint16(0));
        QCOMPARE(Window<frmMain>().pos(), QPoint(200, 150));
    }

    // Too wide with the keyboard beside the pads, the window moves left to stand on the screen; the
    // main window comes back where it stood, not where the test window had to go.
    void keyboardKeepsTheWindowOnTheScreen()
    {
        logIn();
        theUser().SetPreference(QLatin1String(NextKeyPanel::kKeyboardPreference), true);
        const QRect area = Window<frmMain>().screen()->availableGeometry();
        Window<frmMain>().move(area.right() - 700, area.top() + 40);
        const QPoint before = Window<frmMain>().pos();
        frmTest &window = openWindow(longText());
        QVERIFY(window.frameGeometry().right() <= area.right() || window.x() == area.left());
        QVERIFY(window.x() < before.x());
        QCOMPARE(window.y(), before.y());
        QTest::keyClick(window.TypingPad[0], Qt::Key_Escape);
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QCOMPARE(Window<frmMain>().pos(), before);
        // The preference outlives the profile's scratch folder: the next cases go without it.
        theUser().SetPreference(QLatin1String(NextKeyPanel::kKeyboardPreference), false);
    }

    void focusStaysOnTheCurrentLine()
    {
        logIn();
        frmTest &window = openWindow(longText());
        typeCurrentLine(window);
        QCOMPARE(window.iCurrentBox, qint16(1));
        QVERIFY(window.TypingPad[1]->hasFocus());
        QTest::mouseClick(window.TypingPad[3], Qt::LeftButton);
        QVERIFY(window.TypingPad[1]->hasFocus());
        window.TypingPad[0]->setFocus();
        QVERIFY(window.TypingPad[1]->hasFocus());
        QTest::keyClick(window.TypingPad[1], Qt::Key_Tab);
        QVERIFY(window.TypingPad[1]->hasFocus());
        // Keys that reach another line change nothing there.
        typeText(window.TypingPad[3], QStringLiteral("abc"));
        QVERIFY(window.TypingPad[3]->sWrittenText.isEmpty());
    }

    void modalRunHidesTheMainWindow()
    {
        logIn();
        frmMain &main = Window<frmMain>();
        main.show();
        cTest test;
        test.sTitle = QStringLiteral("t");
        test.sWantedText = QStringLiteral("abc def");
        bool mainHidden = false;
        QTimer::singleShot(0, this, [&] {
            frmTest &window = Window<frmTest>();
            QTRY_VERIFY(window.isVisible());
            mainHidden = !main.isVisible();
            typeText(window.TypingPad[0], QStringLiteral("abc dxf"));
            window.cmdOK->click();
        });
        test.StartTest();
        QVERIFY(mainHidden);
        QVERIFY(main.isVisible());
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QCOMPARE(test.iAccuracy, qint16(85));

        // Each test gets a fresh window.
        QTimer::singleShot(0, this, [&] {
            frmTest &window = Window<frmTest>();
            QTRY_VERIFY(window.isVisible());
            QVERIFY(!window.bFinish);
            QVERIFY(window.TypingPad[0]->sWrittenText.isEmpty());
            QTest::keyClick(window.TypingPad[0], Qt::Key_Escape);
        });
        test.StartTest();
        QCOMPARE(test.iAccuracy, qint16(0));
        QCOMPARE(test.iSpeed, qint16(0));
    }

    void runnerSeam()
    {
        logIn();
        QStringList seen;
        cTest::SetRunner([&](cTest &test) {
            seen.append(test.sWantedText);
            test.iSpeed = 150;
            test.iAccuracy = 97;
        });
        cTest test;
        test.sWantedText = QStringLiteral("xyz");
        test.StartTest();
        QCOMPARE(seen, QStringList{QStringLiteral("xyz")});
        QCOMPARE(test.iSpeed, qint16(150));
        QVERIFY(!WindowRegistry::IsLoaded<frmTest>());
        QVERIFY(Window<frmMain>().isVisible());
    }
};

QTEST_MAIN(tst_TestWindow)
#include "tst_testwindow.moc"
