// The number drill driven through its button and the main menu: the practice of digit groups, and the
// learner's language reading English while the drill is open, never written into the profile.

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "drills/frmNumbers.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/Random.h"
#include "platform/TerminationSignals.h"
#include "support/TestSupport.h"
#include "typing/TypingPad.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

using namespace testsupport;

namespace {

QString language()
{
    return theUser().GetSettings(QStringLiteral("General"), QStringLiteral("Lang")).toString();
}

// The language byte as the profile file holds it.
char storedLanguage()
{
    QFile file(theApp().GetPath() + theUser().sUserName + QLatin1String(ProfileFile::kExtension));
    file.open(QIODevice::ReadOnly);
    return file.readAll().at(ProfileFile::kLangOffset);
}

void openDrill()
{
    Window<frmMain>().show();
    Window<frmMain>().lblSection_Click(frmMain::kNumbersIndex);
}

void clickPractice()
{
    auto *button = Window<frmNumbers>().picSettings->findChild<QPushButton *>(QStringLiteral("cmdPractice"));
    QVERIFY(button && button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class tst_frmNumbers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("Rami"));
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QStringLiteral("Small"));
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void languageSwitchedWhileOpen_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<int>("practices");
        QTest::addColumn<QString>("leave"); // the menu, the close box or a signal
        QTest::newRow("Arabic, one practice, menu") << "Ar" << 1 << "menu";
        QTest::newRow("Arabic, two practices, menu") << "Ar" << 2 << "menu";
        QTest::newRow("Arabic, one practice, close box") << "Ar" << 1 << "close box";
        QTest::newRow("Arabic, two practices, close box") << "Ar" << 2 << "close box";
        QTest::newRow("English, one practice, menu") << "En" << 1 << "menu";
        QTest::newRow("Arabic, no practice, menu") << "Ar" << 0 << "menu";
        QTest::newRow("English, no practice, menu") << "En" << 0 << "menu";
        QTest::newRow("Arabic, no practice, close box") << "Ar" << 0 << "close box";
        QTest::newRow("Arabic, one practice, SIGTERM") << "Ar" << 1 << "SIGTERM";
        QTest::newRow("Arabic, two practices, SIGINT") << "Ar" << 2 << "SIGINT";
        QTest::newRow("Arabic, one practice, SIGHUP") << "Ar" << 1 << "SIGHUP";
    }
    void languageSwitchedWhileOpen()
    {
        QFETCH(QString, own);
        QFETCH(int, practices);
        QFETCH(QString, leave);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), own);
        const char stored = storedLanguage();
        openDrill();
        QCOMPARE(language(), own);
        for (int i = 0; i < practices; ++i) {
            clickPractice();
            QCOMPARE(language(), QStringLiteral("En"));
            QVERIFY(!Window<frmMain>().picPractice->TypingPad->bArabic);
            // Back on the drill's page, the setting still says English; the file never did.
            Window<frmMain>().picPractice->EndPractice();
            QCOMPARE(language(), QStringLiteral("En"));
            QCOMPARE(storedLanguage(), stored);
        }

        ProcessRecorder recorder;
        const QMap<QString, int> signalNumbers{{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
        if (leave == QLatin1String("close box")) {
            Window<frmMain>().close();
            QCOMPARE(recorder.ends, 1);
        } else if (signalNumbers.contains(leave)) {
            platform::onTerminationSignal(EndInOrder);
            ::raise(signalNumbers.value(leave));
            QTRY_COMPARE(recorder.ends, 1);
        } else {
            Window<frmMain>().lblSection_Click(frmMain::kLessonsIndex);
        }
        QVERIFY(!WindowRegistry::IsLoaded<frmNumbers>());
        QCOMPARE(language(), own);
    }

    void practiceOfDigitGroups()
    {
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), QStringLiteral("Ar"));
        openDrill();
        QCOMPARE(Window<frmNumbers>().lblTitle->text(), QStringLiteral(" ارقام"));
        QCOMPARE(Window<frmNumbers>().lblLesson[0]->text(),
                 QStringLiteral("تدريبات على استخدام لوحة الارقام."));
        clickPractice();

        frmMain &main = Window<frmMain>();
        QVERIFY(main.picPractice->isVisible());
        const cPractice &practice = *main.CurrentPractice();
        QCOMPARE(practice.sTitle, QStringLiteral("تدريب - الارقام"));
        QCOMPARE(practice.sLetters, QStringLiteral("1234567890"));
        QCOMPARE(practice.bShowMessageBox, false);
        QCOMPARE(practice.NumOfMessages(), qint16(0));
        QCOMPARE(practice.iNumOfSessions, qint16(50));
        QCOMPARE(main.picPractice->lblPTitle->text(), QStringLiteral(" تدريب - الارقام"));
        QCOMPARE(main.picPractice->lblData[1]->text(), QStringLiteral(" 1 2 3 4 5 6 7 8 9 0 ."));
        QCOMPARE(main.picPractice->TypingPad->layoutDirection(), Qt::LeftToRight);

        const QRegularExpression groups(QStringLiteral("^([0-7]+ )+$"));
        for (qint16 i = 1; i <= 50; ++i) {
            const QString line = practice.GetText(i);
            QVERIFY2(line.size() > 30, qPrintable(line));
            QVERIFY2(groups.match(line).hasMatch(), qPrintable(line));
        }
        QVERIFY(practice.GetText(51).isEmpty());
    }

    void practiceDrawsInOrderAndTakesKeypadDigits()
    {
        // 0.99 -> "7", then 0.0 -> the group ends: every line is "7 " sixteen times.
        platform::setRandomSequenceForTesting({0.99, 0.0});
        openDrill();
        clickPractice();
        frmMain &main = Window<frmMain>();
        QCOMPARE(main.CurrentPractice()->GetText(1), QStringLiteral("7 ").repeated(16));
        QCOMPARE(main.CurrentPractice()->GetText(50), QStringLiteral("7 ").repeated(16));

        // The keypad's 7 with Num Lock on types the digit whatever the desktop gives.
        ::TypingPad *pad = main.picPractice->TypingPad;
        QKeyEvent keypadSeven(QEvent::KeyPress, Qt::Key_unknown, Qt::KeypadModifier, 79, 0, 0,
                              QString(QChar(0x0667)));
        QApplication::sendEvent(pad, &keypadSeven);
        QCOMPARE(pad->sWrittenText, QStringLiteral("7"));

        // 0.5 -> "4", 0.9 -> the group goes on, 0.25 -> "2", 0.1 -> it ends.
        platform::setRandomSequenceForTesting({0.5, 0.9, 0.25, 0.1});
        main.picPractice->EndPractice();
        clickPractice();
        QCOMPARE(main.CurrentPractice()->GetText(9), QStringLiteral("42 ").repeated(11));
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
};

QTEST_MAIN(tst_frmNumbers)
#include "tst_frmnumbers.moc"
