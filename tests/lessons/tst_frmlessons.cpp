// The lessons screen driven through its buttons: the lesson list's values, the
// keys marked for each lesson, the results table and the way between the three
// panels and the main window.

#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "support/TestSupport.h"
#include "typing/cTest.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

namespace {

const QString kNotTaken = QStringLiteral(" لم يتم الاختبار.");
const QString kReached = QStringLiteral(" تم تحقيق المستوى.");
const QString kRepeat = QStringLiteral(" بحاجة الى اعادة.");
const QString kLetters = QStringLiteral("حرف / دقيقة");
const QString kWords = QStringLiteral("كلمة / دقيقة");

// A control of the lessons screen; its panels may stand inside the main window
// by now.
template <class T> T *child(const char *name)
{
    frmLessons &screen = Window<frmLessons>();
    for (QWidget *panel : {screen.picLessons, screen.picLesson, screen.picTestResult}) {
        if (T *found = panel->findChild<T *>(QString::fromLatin1(name)))
            return found;
    }
    return nullptr;
}

QString text(const char *label)
{
    QLabel *found = child<QLabel>(label);
    return found ? found->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(label));
}

void click(const char *button)
{
    QPushButton *found = child<QPushButton>(button);
    QVERIFY2(found, button);
    QTest::mouseClick(found, Qt::LeftButton);
}

// The panel of the main window's content area now in front.
QString frontPanel()
{
    const QObjectList children = Window<frmMain>().contentArea()->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto *panel = qobject_cast<QWidget *>(*it);
        if (panel && !panel->isHidden())
            return panel->objectName();
    }
    return QString();
}

// Opens the lesson list from the main menu, as the learner does.
void openLessonList()
{
    Window<frmMain>().show();
    Window<frmMain>().lblSection_Click(frmMain::kLessonsIndex);
}

} // namespace

class tst_frmLessons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("Huda"), 30, 95); // 150 letters per minute
        setSetting("General", "Unit", "LPM");
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void lessonListValues_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("languageName");
        QTest::addColumn<QString>("wantedSpeed");
        QTest::newRow("Arabic, letters") << "Ar"
                                         << "LPM"
                                         << " العربية."
                                         << " 150 " + kLetters + ".";
        QTest::newRow("English, words") << "En"
                                        << "WPM"
                                        << " الانجليزية."
                                        << " 30 " + kWords + ".";
    }
    void lessonListValues()
    {
        QFETCH(QString, language);
        QFETCH(QString, unit);
        QFETCH(QString, languageName);
        QFETCH(QString, wantedSpeed);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), language);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Unit"), unit);
        openLessonList();
        QCOMPARE(frontPanel(), QStringLiteral("picLessons"));
        QCOMPARE(text("lblData1"), QStringLiteral(" Huda."));
        QCOMPARE(text("lblData3"), QStringLiteral(" الدرس الاول."));
        QCOMPARE(text("lblData5"), wantedSpeed);
        QCOMPARE(text("lblData7"), languageName);
    }

    void keysMarked_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("Arabic 1") << "Ar" << 0 << QList<int>{17, 18, 19, 20, 21, 22};
        QTest::newRow("English 1") << "En" << 0 << QList<int>{17, 18, 19, 20, 21};
        QTest::newRow("Arabic 3") << "Ar" << 2 << QList<int>{5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("English 3") << "En" << 2 << QList<int>{5, 6, 7, 8, 9};
        QTest::newRow("Arabic 4, the key left of 1 first") << "Ar" << 3 << QList<int>{33, 0, 1, 2, 3, 4};
        QTest::newRow("English 4") << "En" << 3 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("Arabic 5") << "Ar" << 4 << QList<int>{28, 29, 30, 31, 32};
        QTest::newRow("English 6") << "En" << 5 << QList<int>{23, 24, 25, 26, 27};
    }
    void keysMarked()
    {
        QFETCH(QString, language);
        QFETCH(int, index);
        QFETCH(QList<int>, positions);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), language);
        const bool arabic = language == QStringLiteral("Ar");
        openLessonList();
        // Another lesson first: its marks must not stay on the picture.
        click(index == 1 ? "cmdLesson5" : "cmdLesson1");
        click("cmdChange");
        click(qPrintable(QStringLiteral("cmdLesson%1").arg(index)));

        QCOMPARE(frontPanel(), QStringLiteral("picLesson"));
        QCOMPARE(text("lblLTitle"), QStringLiteral(" ") + LoadResString(1003 + index));
        QCOMPARE(int(theLesson().bLessonNumric), index + 1);
        QCOMPARE(theLesson().sLessonLetters, LoadResString((arabic ? 1015 : 1021) + index));

        KeyboardDrawing expected;
        for (const keygrid::KeyLabel &label : keygrid::labels(arabic))
            expected.labels.append({label.text, label.at});
        for (int position : positions)
            expected.boxes.append({keygrid::keyBox(position), QColor(0, 0, 0x80)});
        QCOMPARE(child<KeyboardPicture>("picKeyboard")->Picture(), expected);
        // The main window's clean picture stays clean.
        QCOMPARE(Window<frmMain>().imgKeyboard->Picture(), KeyboardDrawing());
    }

    void newUserResults()
    {
        openLessonList();
        click("cmdLesson2");
        click("cmdTest");
        QCOMPARE(frontPanel(), QStringLiteral("picTestResult"));
        QCOMPARE(text("Label4"), QStringLiteral(" نتائج اختبارات - الدرس الثالث"));
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row))), " 0 " + kLetters + ".");
            QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row + 4))), QStringLiteral(" 0 %"));
            QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row + 8))), kNotTaken);
        }
    }

    void oneTestShowsInRowAndAverage_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("speedCell");
        QTest::addColumn<QString>("averageCell");
        QTest::newRow("test 1, letters") << QByteArray("Command3") << 0 << "LPM"
                                         << " 181 " + kLetters + "."
                                         << " 60 " + kLetters + ".";
        QTest::newRow("test 2, words") << QByteArray("Command2") << 1 << "WPM"
                                       << " 36 " + kWords + "."
                                       << " 12 " + kWords + ".";
        QTest::newRow("test 3, letters") << QByteArray("Command1") << 2 << "LPM"
                                         << " 181 " + kLetters + "."
                                         << " 60 " + kLetters + ".";
    }
    void oneTestShowsInRowAndAverage()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, row);
        QFETCH(QString, unit);
        QFETCH(QString, speedCell);
        QFETCH(QString, averageCell);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Unit"), unit);
        QString title;
        cTest::SetRunner([&](cTest &test) {
            title = test.sTitle;
            test.iSpeed = 181;
            test.iAccuracy = 98;
            test.Finished();
        });
        openLessonList();
        click("cmdLesson1");
        click("cmdTest");
        click(button.constData());

        QCOMPARE(title, QStringLiteral("اختبار - الدرس الثاني"));
        QCOMPARE(theLesson().GetTestSpeed(2, qint16(row + 1)), qint16(181));
        QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row))), speedCell);
        QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row + 4))), QStringLiteral(" 98 %"));
        QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(row + 8))), kReached);
        // 181 ÷ 3 and 98 ÷ 3, truncated; judged on the averages, which miss the
        // targets.
        QCOMPARE(text("lblResult3"), averageCell);
        QCOMPARE(text("lblResult7"), QStringLiteral(" 32 %"));
        QCOMPARE(text("lblResult11"), kRepeat);
        for (int other = 0; other < 3; ++other) {
            if (other != row)
                QCOMPARE(text(qPrintable(QStringLiteral("lblResult%1").arg(other + 8))), kNotTaken);
        }
    }

    void leftTestChangesNothing()
    {
        qint16 speed = 200;
        cTest::SetRunner([&](cTest &test) {
            // 0 stands for a test left before its end, which never finishes.
            test.iSpeed = speed;
            test.iAccuracy = speed ? 99 : 0;
            if (speed)
                test.Finished();
        });
        openLessonList();
        click("cmdLesson0");
        click("cmdTest");
        click("Command3");
        speed = 0;
        click("Command3");
        QCOMPARE(text("lblResult0"), " 200 " + kLetters + ".");
        QCOMPARE(text("lblResult4"), QStringLiteral(" 99 %"));
        QCOMPARE(text("lblResult8"), kReached);
    }

    void switchingLanguageShowsOtherResults()
    {
        // Arabic lesson 1 passed on average: Arabic continues with lesson 2,
        // English still with 1.
        cTest::SetRunner([](cTest &test) {
            test.iSpeed = 160;
            test.iAccuracy = 96;
            test.Finished();
        });
        openLessonList();
        click("cmdLesson0");
        click("cmdTest");
        click("Command3");
        click("Command2");
        click("Command1");
        QCOMPARE(text("lblResult11"), kReached);

        click("Command4");
        QCOMPARE(frontPanel(), QStringLiteral("picLesson"));
        click("cmdChange");
        QCOMPARE(frontPanel(), QStringLiteral("picLessons"));
        QCOMPARE(text("lblData3"), QStringLiteral(" الدرس الثاني."));
        QCOMPARE(text("lblData7"), QStringLiteral(" العربية."));

        setSetting("General", "Lang", "En");
        openLessonList();
        QCOMPARE(text("lblData3"), QStringLiteral(" الدرس الاول."));
        QCOMPARE(text("lblData7"), QStringLiteral(" الانجليزية."));
        click("cmdLesson0");
        QCOMPARE(theLesson().sLessonLetters, QStringLiteral("HJKL;"));
        click("cmdTest");
        QCOMPARE(text("lblResult0"), " 0 " + kLetters + ".");
        QCOMPARE(text("lblResult11"), kNotTaken);

        setSetting("General", "Lang", "Ar");
        openLessonList();
        QCOMPARE(text("lblData3"), QStringLiteral(" الدرس الثاني."));
    }

    void homeShortcutOpensCurrentLesson()
    {
        // Lesson 4 passed: the home panel's shortcut opens lesson 5.
        for (qint16 test = 1; test <= 3; ++test) {
            theLesson().SetTestAccuracy(4, test, 100);
            theLesson().SetTestSpeed(4, test, 300);
        }
        frmMain &main = Window<frmMain>();
        main.show();
        QTest::mouseClick(main.cmdLesson[0], Qt::LeftButton);
        QCOMPARE(frontPanel(), QStringLiteral("picLesson"));
        QCOMPARE(text("lblLTitle"), QStringLiteral(" الدرس الخامس"));
        QCOMPARE(int(theLesson().bLessonNumric), 5);

        // Leaving for another section takes the lessons screen away.
        main.lblSection_Click(frmMain::kHomeIndex);
        QVERIFY(!WindowRegistry::IsLoaded<frmLessons>());
        QCOMPARE(frontPanel(), QStringLiteral("picHome"));
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
};

QTEST_MAIN(tst_frmLessons)
#include "tst_frmlessons.moc"
