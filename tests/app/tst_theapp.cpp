// Application services: folders, the error box, password scrambling, keyboard labels and highlights,
// the wait, and the start-up check.
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "mainwindow/mdlMain.h"
#include "platform/Clock.h"
#include "platform/CodePage1256.h"
#include "platform/Folders.h"
#include "platform/SafeFile.h"
#include "support/TestSupport.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"
#include "users/frmUsers.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace testsupport;

class TestTheApp : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

private slots:
    void initTestCase() { FillKeyTables(); }
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void getPathEndsInSlash()
    {
        platform::setProgramFolderForTesting(QStringLiteral("/"));
        QCOMPARE(theApp().GetPath(), QStringLiteral("/"));
        platform::setProgramFolderForTesting(QStringLiteral("/opt/KZ"));
        QCOMPARE(theApp().GetPath(), QStringLiteral("/opt/KZ/"));
        platform::setProgramFolderForTesting(QString());
        QCOMPARE(theApp().GetPath(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }

    void errorMessage()
    {
        DialogScript dialogs;
        QCOMPARE(theApp().ErrorMessage(101), int(platform::AnswerOk));
        QCOMPARE(dialogs.requests.size(), 1);
        const platform::DialogRequest &box = dialogs.requests.first();
        QCOMPARE(box.title, QStringLiteral("خطأ رقم:101"));
        QCOMPARE(box.text, QStringLiteral("خطأ رقم:101\r\rاسم المستخدم موجود، الرجاء تغيير الاسم."));
        QCOMPARE(box.icon, platform::MessageIcon::Exclamation);
        QCOMPARE(box.buttons, platform::MessageButtons::Ok);
    }

    // Nothing one test leaves in the application objects reaches the next: the lesson chosen, a
    // history failure already told.
    void resetStartsFromFreshObjects()
    {
        for (int round = 0; round < 2; ++round) {
            createAndLogIn(QStringLiteral("u"));
            QCOMPARE(theLesson().bLessonNumric, quint8(1));
            theLesson().bLessonNumric = 4;
            DialogScript dialogs;
            platform::setWriteErrorForTesting(ENOSPC);
            theHistory().Record(HistoryRecord());
            theHistory().Record(HistoryRecord());
            QCOMPARE(dialogs.requests.size(), 1); // told once, not for every line
            QVERIFY(dialogs.requests.first().text.contains(QStringLiteral("سجل التقدم")));
            resetApplication();
            QFile::remove(m_sandbox->folder.filePath(QStringLiteral("u.USR")));
        }
    }

    void flipTopBit()
    {
        QCOMPARE(cTheApp::F(0), qint16(128));
        QCOMPARE(cTheApp::F(97), qint16(225));
        QCOMPARE(cTheApp::F(127), qint16(255));
        QCOMPARE(cTheApp::F(128), qint16(0));
        QCOMPARE(cTheApp::F(225), qint16(97));
    }

    void encTextScramblesAndRestores()
    {
        const QString scrambled = cTheApp::EncText(QStringLiteral("  abc "));
        QCOMPARE(platform::toCodePage1256(scrambled), QByteArray("\xE1\xE2\xE3"));
        QCOMPARE(cTheApp::EncText(scrambled), QStringLiteral("abc"));
        QCOMPARE(cTheApp::EncText(QStringLiteral("   ")), QString());
        const QString arabic = QStringLiteral("سر 12");
        QCOMPARE(cTheApp::EncText(cTheApp::EncText(arabic)), arabic);
    }

    void showLetters_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QPoint>("firstAt");
        QTest::addColumn<int>("homeRowIndex"); // index of the label for the first home-row key
        QTest::addColumn<QPoint>("homeRowAt");
        QTest::addColumn<QPoint>("bottomRowAt");
        QTest::newRow("Arabic") << "A" << 34 << "ذ" << QPoint(15, 10) << 13 << QPoint(75, 70)
                                << QPoint(95, 105);
        QTest::newRow("English") << "E" << 29 << "Q" << QPoint(60, 40) << 10 << QPoint(75, 70)
                                 << QPoint(95, 105);
    }
    void showLetters()
    {
        QFETCH(QString, lang);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QPoint, firstAt);
        QFETCH(int, homeRowIndex);
        QFETCH(QPoint, homeRowAt);
        QFETCH(QPoint, bottomRowAt);
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings("General", "Lang", lang);
        KeyboardPicture picture;
        theApp().ShowLetters(&picture);
        const QList<KeyboardDrawing::Label> labels = picture.Picture().labels;
        QCOMPARE(labels.size(), count);
        QCOMPARE(labels.first().text, first);
        QCOMPARE(labels.first().at, firstAt);
        const bool arabic = lang == QLatin1String("A");
        QCOMPARE(labels.at(homeRowIndex).text, arabic ? QStringLiteral("ش") : QStringLiteral("A"));
        QCOMPARE(labels.at(homeRowIndex).at, homeRowAt);
        const int bottomIndex = arabic ? 24 : 20;
        QCOMPARE(labels.at(bottomIndex).text, arabic ? QStringLiteral("ئ") : QStringLiteral("Z"));
        QCOMPARE(labels.at(bottomIndex).at, bottomRowAt);
        // Labels of a row step 30 to 34 pixels: Q at 60, W at 91.
        QCOMPARE(labels.at(arabic ? 2 : 1).at, QPoint(91, 40));
    }

    void selectLetter_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QVariant>("letter");
        QTest::addColumn<QRect>("box");
        const QRect homeA(QPoint(64, 63), QPoint(93, 92));
        QTest::newRow("A in English") << "E" << QVariant(QStringLiteral("A")) << homeA;
        QTest::newRow("a in English, any case") << "E" << QVariant(QStringLiteral("a")) << homeA;
        QTest::newRow("ش in Arabic") << "A" << QVariant(QStringLiteral("ش")) << homeA;
        QTest::newRow("position 12") << "A" << QVariant(12) << homeA;
        QTest::newRow("space bar") << "A" << QVariant(-1) << QRect(QPoint(130, 128), QPoint(352, 160));
        QTest::newRow("33") << "E" << QVariant(33) << QRect(QPoint(4, 3), QPoint(33, 32));
        QTest::newRow("ذ in English")
            << "E" << QVariant(QStringLiteral("ذ")) << QRect(QPoint(4, 3), QPoint(33, 32));
        QTest::newRow("unknown letter")
            << "A" << QVariant(QStringLiteral("Q")) << QRect(QPoint(49, 33), QPoint(78, 62));
        QTest::newRow("Z in English")
            << "E" << QVariant(QStringLiteral("Z")) << QRect(QPoint(83, 98), QPoint(112, 127));
        QTest::newRow("lam-alef") << "A" << QVariant(QStringLiteral("لا"))
                                  << QRect(QPoint(210, 98), QPoint(239, 127));
    }
    void selectLetter()
    {
        QFETCH(QString, lang);
        QFETCH(QVariant, letter);
        QFETCH(QRect, box);
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings("General", "Lang", lang);
        KeyboardPicture picture;
        theApp().SelectLetter(&picture, letter);
        QCOMPARE(picture.Picture().boxes.size(), 1);
        QCOMPARE(picture.Picture().boxes.first().rect, box);
        QCOMPARE(picture.Picture().boxes.first().color, QColor(0, 0, 0x80));
    }

    void sleepWaitsAtLeastItsTime()
    {
        const double before = platform::monotonicSeconds();
        theApp().Sleep(0.01);
        QVERIFY(platform::monotonicSeconds() - before > 0.01);
    }

    void elapsedTimeAcrossMidnight()
    {
        QCOMPARE(platform::elapsedSeconds(86395.5, 4.5), 9.0);
        QCOMPARE(platform::elapsedSeconds(100.0, 130.0), 30.0);
    }

    void missingLibraryEndsTheProgram()
    {
        QTemporaryDir system;
        platform::setSystemFolderForTesting(system.path());
        platform::setRequiredLibraryForTesting(QStringLiteral("Vbame.dll"));
        DialogScript dialogs;
        QVERIFY(!Main());
        QCOMPARE(m_sandbox->process.ends, 1);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("الملف غير موجود"));
        QCOMPARE(dialogs.requests[0].text, QStringLiteral("لا يمكن تشغيل البرنامج بدون المكتبة:  ") +
                                               system.path() + QStringLiteral("/Vbame.dll"));
        QCOMPARE(dialogs.requests[0].icon, platform::MessageIcon::Critical);
        QVERIFY(!WindowRegistry::IsLoaded<frmUsers>());
    }

    void presentLibraryFoundWithoutRegardToCase()
    {
        QTemporaryDir system;
        QFile library(system.filePath(QStringLiteral("VBAME.DLL")));
        QVERIFY(library.open(QIODevice::WriteOnly));
        library.close();
        platform::setSystemFolderForTesting(system.path());
        platform::setRequiredLibraryForTesting(QStringLiteral("Vbame.dll"));
        DialogScript dialogs;
        QVERIFY(Main());
        QCOMPARE(dialogs.requests.size(), 0);
        QVERIFY(Window<frmUsers>().isVisible());
        QCOMPARE(vArabicKeys.size(), 34);
        QCOMPARE(vEnglishKeys.size(), 29);
    }

    void noRequiredLibraryOnLinux()
    {
        DialogScript dialogs;
        QVERIFY(platform::requiredLibrary().isEmpty());
        QVERIFY(Main());
        QCOMPARE(dialogs.requests.size(), 0);
        QCOMPARE(m_sandbox->process.ends, 0);
    }
};

QTEST_MAIN(TestTheApp)
#include "tst_theapp.moc"
