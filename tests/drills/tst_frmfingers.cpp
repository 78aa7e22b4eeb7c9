// The finger placement drill driven through its buttons: the keys marked for each finger, the line
// naming it, and the practice built from the finger's letters.

#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "drills/frmFingers.h"
#include "mainwindow/frmMain.h"
#include "platform/Random.h"
#include "support/TestSupport.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

namespace {

const QColor kMark(0, 0, 0x80);

void setLanguage(const QString &language)
{
    theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), language);
}

void openDrill()
{
    Window<frmMain>().show();
    Window<frmMain>().lblSection_Click(frmMain::kFingersIndex);
}

template <class T> T *control(const QString &name)
{
    return Window<frmFingers>().picSettings->findChild<T *>(name);
}

void click(const QString &name)
{
    auto *button = control<QPushButton>(name);
    QVERIFY2(button, qPrintable(name));
    QVERIFY2(button->isVisible(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

KeyboardDrawing marked(bool arabic, const QList<int> &positions)
{
    KeyboardDrawing drawing;
    for (const keygrid::KeyLabel &label : keygrid::labels(arabic))
        drawing.labels.append({label.text, label.at});
    for (int position : positions)
        drawing.boxes.append({keygrid::keyBox(position), kMark});
    return drawing;
}

} // namespace

class tst_frmFingers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("Sami"));
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QStringLiteral("Small"));
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void opensWithNoFingerChosen()
    {
        setLanguage(QStringLiteral("Ar"));
        openDrill();
        QVERIFY(Window<frmFingers>().picSettings->isVisible());
        QCOMPARE(control<QLabel>(QStringLiteral("lblTitle"))->text(), QStringLiteral(" مواضع الاصابع"));
        QVERIFY(control<QPushButton>(QStringLiteral("cmdPractice"))->isHidden());
        QVERIFY(control<QLabel>(QStringLiteral("lblLesson0"))->isHidden());
        QCOMPARE(control<KeyboardPicture>(QStringLiteral("picKeyboard"))->Picture(), marked(true, {}));
        QCOMPARE(Window<frmMain>().imgKeyboard->Picture(), KeyboardDrawing());
    }

    void fingerMarksKeysAndNamesIt_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QStringList>("letters");
        QTest::addColumn<QString>("line");
        QTest::newRow("right little, Arabic")
            << "Ar" << 0 << QList<int>{10, 11, 22, 9, 21, 32} << QStringList{"ح", "ك", "ظ", "ج", "ط", "د"}
            << "تدريب على استخدام اصبع الخنصر الايمن.";
        QTest::newRow("right index, Arabic without teh marbuta")
            << "Ar" << 3 << QList<int>{5, 17, 28, 6, 18, 29} << QStringList{"غ", "ا", "ى", "ع", "ت"}
            << "تدريب على استخدام اصبع السبابة الايمن.";
        QTest::newRow("left ring, English")
            << "En" << 8 << QList<int>{1, 13, 24} << QStringList{"w", "s", "x"}
            << "تدريب على استخدام اصبع البنصر الايسر.";
        QTest::newRow("left little, English: key left of 1 marked, not practised")
            << "En" << 9 << QList<int>{33, 0, 12, 23} << QStringList{"q", "a", "z"}
            << "تدريب على استخدام اصبع الخنصر الايسر.";
        QTest::newRow("left index, Arabic without lam-alef")
            << "Ar" << 6 << QList<int>{4, 16, 27, 3, 15, 26} << QStringList{"ق", "ب", "ر", "ف", "ل"}
            << "تدريب على استخدام اصبع السبابة الايسر.";
    }
    void fingerMarksKeysAndNamesIt()
    {
        QFETCH(QString, language);
        QFETCH(int, index);
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, letters);
        QFETCH(QString, line);
        setLanguage(language);
        openDrill();
        // Another finger first: its marks must go.
        click(QStringLiteral("cmdFinger%1").arg(index == 2 ? 7 : 2));
        click(QStringLiteral("cmdFinger%1").arg(index));

        const bool arabic = language == QStringLiteral("Ar");
        QCOMPARE(control<KeyboardPicture>(QStringLiteral("picKeyboard"))->Picture(),
                 marked(arabic, positions));
        QCOMPARE(Window<frmFingers>().sFingerLetters, letters);
        QCOMPARE(control<QLabel>(QStringLiteral("lblLesson0"))->text(), line);
        QVERIFY(control<QLabel>(QStringLiteral("lblLesson0"))->isVisible());
        QVERIFY(control<QPushButton>(QStringLiteral("cmdPractice"))->isVisible());
    }

    void thumbMarksOnlyTheSpaceBar_data()
    {
        QTest::addColumn<int>("thumb");
        QTest::newRow("left thumb") << 5;
        QTest::newRow("right thumb") << 4;
    }
    void thumbMarksOnlyTheSpaceBar()
    {
        QFETCH(int, thumb);
        setLanguage(QStringLiteral("Ar"));
        openDrill();
        click(QStringLiteral("cmdFinger0"));
        click(QStringLiteral("cmdFinger%1").arg(thumb));

        QCOMPARE(control<KeyboardPicture>(QStringLiteral("picKeyboard"))->Picture(),
                 marked(true, {keygrid::kSpaceBar}));
        QVERIFY(control<QPushButton>(QStringLiteral("cmdPractice"))->isHidden());
        QVERIFY(control<QLabel>(QStringLiteral("lblLesson0"))->isHidden());
        QCOMPARE(Window<frmFingers>().sFingerLetters.size(), 6);
    }

    void practiceOfTheFingersLetters_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("sLetters");
        QTest::newRow("English right little") << "En" << 0 << "p;";
        QTest::newRow("English right index") << "En" << 3 << "yhnujm";
        QTest::newRow("Arabic left little") << "Ar" << 9 << "ضشئذ";
    }
    void practiceOfTheFingersLetters()
    {
        QFETCH(QString, language);
        QFETCH(int, index);
        QFETCH(QString, sLetters);
        setLanguage(language);
        openDrill();
        click(QStringLiteral("cmdFinger%1").arg(index));
        click(QStringLiteral("cmdPractice"));

        frmMain &main = Window<frmMain>();
        QVERIFY(main.picPractice->isVisible());
        QVERIFY(main.CurrentPractice().has_value());
        const cPractice &practice = *main.CurrentPractice();
        QCOMPARE(practice.sTitle, QStringLiteral("تدريب - مواضع الاصابع"));
        QCOMPARE(practice.sLetters, sLetters);
        QCOMPARE(practice.bShowMessageBox, false);
        QCOMPARE(practice.NumOfMessages(), qint16(0));
        QCOMPARE(practice.iNumOfSessions, qint16(50));
        QCOMPARE(main.picPractice->lblPTitle->text(), QStringLiteral(" تدريب - مواضع الاصابع"));
        for (qint16 i = 1; i <= 50; ++i) {
            const QString line = practice.GetText(i);
            QVERIFY2(line.size() > 30, qPrintable(line));
            QVERIFY2(line.endsWith(QLatin1Char(' ')), qPrintable(line));
            QVERIFY2(!line.contains(QStringLiteral("  ")), qPrintable(line));
            QVERIFY2(!line.startsWith(QLatin1Char(' ')), qPrintable(line));
            QCOMPARE(line, line.toLower());
            for (QChar ch : line)
                QVERIFY2(ch == QLatin1Char(' ') || sLetters.contains(ch), qPrintable(line));
        }
        QVERIFY(practice.GetText(51).isEmpty());
        // The drill keeps no hold on the run; the drill's page is still loaded behind the panel.
        QVERIFY(WindowRegistry::IsLoaded<frmFingers>());
    }

    void practiceDrawsInOrder()
    {
        // Letter 0.6 -> ";", then 0.1 -> the word ends: every line is "; " sixteen times.
        platform::setRandomSequenceForTesting({0.6, 0.1});
        setLanguage(QStringLiteral("En"));
        openDrill();
        click(QStringLiteral("cmdFinger0"));
        click(QStringLiteral("cmdPractice"));
        const cPractice &practice = *Window<frmMain>().CurrentPractice();
        QCOMPARE(practice.GetText(1), QStringLiteral("; ").repeated(16));
        QCOMPARE(practice.GetText(50), QStringLiteral("; ").repeated(16));

        // 0.0 -> "p", 0.5 -> another letter: 0.0 -> "p", 0.2 -> space. Words "pp " until past 30.
        platform::setRandomSequenceForTesting({0.0, 0.5, 0.0, 0.2});
        Window<frmMain>().picPractice->EndPractice();
        click(QStringLiteral("cmdPractice"));
        QCOMPARE(Window<frmMain>().CurrentPractice()->GetText(7), QStringLiteral("pp ").repeated(11));
    }

    void comingBackStartsAfresh()
    {
        setLanguage(QStringLiteral("Ar"));
        openDrill();
        click(QStringLiteral("cmdFinger3"));
        Window<frmMain>().lblSection_Click(frmMain::kHomeIndex);
        QVERIFY(!WindowRegistry::IsLoaded<frmFingers>());

        setLanguage(QStringLiteral("En"));
        openDrill();
        QVERIFY(Window<frmFingers>().sFingerLetters.isEmpty());
        QVERIFY(control<QPushButton>(QStringLiteral("cmdPractice"))->isHidden());
        QVERIFY(control<QLabel>(QStringLiteral("lblLesson0"))->isHidden());
        QCOMPARE(control<KeyboardPicture>(QStringLiteral("picKeyboard"))->Picture(), marked(false, {}));
    }

    void homeShortcutOpensTheDrill()
    {
        openDrill();
        Window<frmMain>().lblSection_Click(frmMain::kHomeIndex);
        QTest::mouseClick(Window<frmMain>().cmdLesson[1], Qt::LeftButton);
        QVERIFY(WindowRegistry::IsLoaded<frmFingers>());
        QVERIFY(Window<frmFingers>().picSettings->isVisible());
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
};

QTEST_MAIN(tst_frmFingers)
#include "tst_frmfingers.moc"
