// The keyboard drill driven through its controls: the option page's lists, the drill texts, the
// answer box that takes only the expected key while the picture marks the next one, the four lines,
// and the ways out.

#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "drills/frmTrain.h"
#include "mainwindow/frmMain.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "support/TestSupport.h"
#include "users/cUser.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <cmath>

using namespace testsupport;

namespace {

const QList<double> kSequence = {0.12, 0.71, 0.05, 0.93, 0.48, 0.33, 0.66, 0.27, 0.81, 0.59, 0.02};

frmTrain &train()
{
    return Window<frmTrain>();
}

template <class T> T *child(const char *name)
{
    for (QWidget *panel : {train().picSettings, train().picTrain}) {
        if (T *found = panel->findChild<T *>(QString::fromLatin1(name)))
            return found;
    }
    return nullptr;
}

QLineEdit *answerBox()
{
    return child<QLineEdit>("Text1");
}

QString line()
{
    return child<QLabel>("lblTrain")->text();
}

void pressPhysical(QWidget *target, quint32 keycode)
{
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0, QStringLiteral("?"));
    QApplication::sendEvent(target, &event);
}

// The X keycode of the unshifted key that types `letter` in `layout`, or 0.
quint32 keycodeOf(const char *layout, QChar letter)
{
    for (quint32 code = 10; code < 62; ++code) {
        if (platform::textOfPhysicalKey(QString::fromLatin1(layout), code, false) == QString(letter))
            return code;
    }
    return 0;
}

// The one mark on the drill's keyboard picture, as the box SelectLetter draws.
QList<QRect> marks()
{
    QList<QRect> boxes;
    for (const KeyboardDrawing::Box &box : train().picKeyboard->Picture().boxes)
        boxes.append(box.rect);
    return boxes;
}

QRect keyOf(const QString &letter, bool arabic)
{
    return keygrid::keyBox(letter == QStringLiteral(" ") ? keygrid::kSpaceBar
                                                         : keygrid::positionOf(QVariant(letter), arabic));
}

QString slice(const QString &text, int k)
{
    QString s = text.mid((k - 1) * 30, 30);
    while (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

} // namespace

class tst_frmTrain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScratchFolder> m_folder;

    void openDrill(const char *language)
    {
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"),
                              QString::fromLatin1(language));
        Window<frmMain>().show();
        Window<frmMain>().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window<frmMain>()));
        Window<frmMain>().lblSection_Click(frmMain::kTrainIndex);
        QVERIFY(WindowRegistry::IsLoaded<frmTrain>());
    }

    void startDrill()
    {
        platform::setRandomSequenceForTesting(kSequence);
        QTest::mouseClick(child<QPushButton>("cmdPractice"), Qt::LeftButton);
        QVERIFY(!train().picTrain->isHidden());
    }

    QByteArray readProfile() const
    {
        QFile file(m_folder->filePath(QStringLiteral("Huda.USR")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("Huda"));
    }
    void cleanup()
    {
        resetApplication();
        m_folder.reset();
    }

    void lessonListFollowsDistribution()
    {
        openDrill("Ar");
        auto *distribution = child<QComboBox>("Combo3");
        auto *lessons = child<QComboBox>("Combo1");
        QLabel *caption = child<QLabel>("lblLesson14");
        QCOMPARE(distribution->currentIndex(), 0);
        QCOMPARE(lessons->currentIndex(), 0);
        QVERIFY(lessons->isHidden());
        QVERIFY(caption->isHidden());
        QCOMPARE(caption->text(), QStringLiteral("الدرس:"));

        distribution->setCurrentIndex(1);
        QVERIFY(!lessons->isHidden());
        QVERIFY(!caption->isHidden());
        distribution->setCurrentIndex(0);
        QVERIFY(lessons->isHidden());
        QVERIFY(caption->isHidden());

        // The option page's picture carries the language's letters.
        QStringList letters;
        for (const KeyboardDrawing::Label &label : train().Picture1->Picture().labels)
            letters.append(label.text);
        for (const QString &key : vArabicKeys)
            QVERIFY2(letters.contains(key), qPrintable(key));
    }

    void randomText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("left");
        QTest::newRow("Arabic") << "Ar" << QStringLiteral("ذ");
        QTest::newRow("English") << "En" << QStringLiteral(".");
    }
    void randomText()
    {
        QFETCH(QString, language);
        QFETCH(QString, left);
        openDrill(language.toLatin1().constData());
        startDrill();
        const QString text = train().sTrainText;
        QVERIFY(text.size() > 120);
        QVERIFY(text.endsWith(QLatin1Char(' ')));
        QVERIFY(!text.contains(QStringLiteral("  ")));
        QVERIFY(!text.contains(left));
        QVERIFY(!text.startsWith(QLatin1Char(' ')));
        QCOMPARE(line(), slice(text, 1));
        QCOMPARE(answerBox()->text(), QString());
        QCOMPARE(answerBox()->property("Tag").toString(), QStringLiteral("1"));
        // The first letter's key is marked over the letters.
        QCOMPARE(marks(), QList<QRect>{keyOf(line().left(1), language == QStringLiteral("Ar"))});
        QVERIFY(!train().picKeyboard->Picture().labels.isEmpty());
    }

    void lessonText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<int>("block");
        QTest::newRow("English 1") << "En" << 0 << 4100;
        QTest::newRow("Arabic 6") << "Ar" << 5 << 2600;
    }
    void lessonText()
    {
        QFETCH(QString, language);
        QFETCH(int, lesson);
        QFETCH(int, block);
        openDrill(language.toLatin1().constData());
        child<QComboBox>("Combo3")->setCurrentIndex(1);
        child<QComboBox>("Combo1")->setCurrentIndex(lesson);
        startDrill();

        // Practice lines of the block, drawn in the sequence's order and joined without separators.
        const int n = LoadResNumber(block);
        QVERIFY(n > 0);
        QString expected;
        for (int i = 0; expected.size() <= 120; ++i)
            expected += LoadResString(block + 1 + int(std::floor(n * kSequence.at(i % kSequence.size()))));
        QCOMPARE(train().sTrainText, expected.toLower());
        QCOMPARE(line(), slice(expected.toLower(), 1));
    }

    void keyJudgedAndMarkMoves_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Arabic") << "Ar";
        QTest::newRow("English") << "En";
    }
    void keyJudgedAndMarkMoves()
    {
        QFETCH(QString, language);
        const bool arabic = language == QStringLiteral("Ar");
        openDrill(language.toLatin1().constData());
        platform::loadKeyboardLayout(
            QString::fromLatin1(arabic ? platform::kEnglishLayout : platform::kArabicLayout));
        startDrill();
        QVERIFY(answerBox()->hasFocus());
        // The answer box reads keys in the training language whatever layout was active.
        QCOMPARE(platform::activeKeyboardLayout(),
                 QString::fromLatin1(arabic ? platform::kArabicLayout : platform::kEnglishLayout));
        const char *layout = arabic ? platform::kArabicLayout : platform::kEnglishLayout;
        const QString wanted = line();

        BeepCounter beeps;
        // A wrong physical key: nothing typed, the mark stays, a beep.
        QChar wrong;
        for (const QString &key : arabic ? vArabicKeys : vEnglishKeys) {
            if (key.size() == 1 && key.at(0) != wanted.at(0) && keycodeOf(layout, key.at(0))) {
                wrong = key.at(0);
                break;
            }
        }
        const QList<QRect> before = marks();
        pressPhysical(answerBox(), keycodeOf(layout, wrong));
        QCOMPARE(beeps.count, 1);
        QCOMPARE(answerBox()->text(), QString());
        QCOMPARE(marks(), before);

        // The right physical key goes in and the mark moves on to the next letter's key.
        const quint32 code = keycodeOf(layout, wanted.at(0));
        QVERIFY2(code != 0, qPrintable(wanted));
        pressPhysical(answerBox(), code);
        QCOMPARE(beeps.count, 1);
        QCOMPARE(answerBox()->text(), wanted.left(1));
        QCOMPARE(marks(), QList<QRect>{keyOf(wanted.mid(1, 1), arabic)});

        // The next letter sent by name with the other layout's text of its key (a remote desktop
        // with another layout) is the same key.
        const quint32 next = keycodeOf(layout, wanted.at(1));
        QVERIFY2(next != 0, qPrintable(wanted));
        const QString sent = platform::textOfPhysicalKey(
            QString::fromLatin1(arabic ? platform::kEnglishLayout : platform::kArabicLayout), next, false);
        QKeyEvent byName(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 8, 0, 0, sent);
        QApplication::sendEvent(answerBox(), &byName);
        QCOMPARE(beeps.count, 1);
        QCOMPARE(answerBox()->text(), wanted.left(2));
    }

    void refusedKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
    }
    void refusedKeys()
    {
        QFETCH(int, key);
        openDrill("En");
        startDrill();
        const QString wanted = line();
        typeText(answerBox(), wanted.left(2));
        const QList<QRect> before = marks();
        BeepCounter beeps;
        QTest::keyClick(answerBox(), Qt::Key(key));
        QCOMPARE(beeps.count, 1);
        QCOMPARE(answerBox()->text(), wanted.left(2));
        QCOMPARE(marks(), before);
        QVERIFY(answerBox()->hasFocus());
    }

    // A middle click pastes the X selection into a line edit, which would move the judged place on;
    // the box takes no middle button at all (it would also move the box's cursor).
    void middleClickPastesNothing()
    {
        openDrill("En");
        startDrill();
        const QString wanted = line();
        typeText(answerBox(), wanted.left(1));
        QGuiApplication::clipboard()->setText(wanted.mid(1, 5), QClipboard::Selection);
        QTest::mouseClick(answerBox(), Qt::MiddleButton, {}, QPoint(2, answerBox()->height() / 2));
        QCOMPARE(answerBox()->text(), wanted.left(1));
        QCOMPARE(answerBox()->cursorPosition(), 1);
        typeText(answerBox(), wanted.mid(1, 1));
        QCOMPARE(answerBox()->text(), wanted.left(2));
    }

    void spaceBarMarked()
    {
        openDrill("Ar");
        startDrill();
        const QString wanted = line();
        const qsizetype space = wanted.indexOf(QLatin1Char(' '));
        QVERIFY(space > 0);
        typeText(answerBox(), wanted.left(space));
        QCOMPARE(answerBox()->text(), wanted.left(space));
        QCOMPARE(marks(), QList<QRect>{keygrid::keyBox(keygrid::kSpaceBar)});
        typeText(answerBox(), QStringLiteral(" "));
        QCOMPARE(marks(), QList<QRect>{keyOf(wanted.mid(space + 1, 1), true)});
    }

    void fourLinesThenOptionPage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("distribution");
        QTest::newRow("Arabic random") << "Ar" << 0;
        QTest::newRow("English lessons") << "En" << 1;
    }
    void fourLinesThenOptionPage()
    {
        QFETCH(QString, language);
        QFETCH(int, distribution);
        openDrill(language.toLatin1().constData());
        const QByteArray profile = readProfile();
        QVERIFY(!profile.isEmpty());
        child<QComboBox>("Combo3")->setCurrentIndex(distribution);
        startDrill();
        const QString text = train().sTrainText;
        BeepCounter beeps;
        for (int k = 1; k <= 4; ++k) {
            const QString wanted = slice(text, k);
            QCOMPARE(line(), wanted);
            QCOMPARE(answerBox()->property("Tag").toString(), QString::number(k));
            QCOMPARE(marks(), QList<QRect>{keyOf(wanted.left(1), language == QStringLiteral("Ar"))});
            typeText(answerBox(), wanted.chopped(1));
            QCOMPARE(answerBox()->text(), wanted.chopped(1));
            // The last letter is never shown: the box empties for the next line at once.
            typeText(answerBox(), wanted.right(1));
            if (k < 4)
                QCOMPARE(answerBox()->text(), QString());
            QCOMPARE(train().picTrain->isHidden(), k == 4);
        }
        QCOMPARE(beeps.count, 0);
        QVERIFY(train().picTrain->isHidden());
        QVERIFY(train().picSettings->isVisible());
        QCOMPARE(child<QComboBox>("Combo3")->currentIndex(), distribution);
        QCOMPARE(readProfile(), profile);

        // A new start builds a new text from line 1.
        platform::setRandomSequenceForTesting({0.9, 0.2, 0.4});
        QTest::mouseClick(child<QPushButton>("cmdPractice"), Qt::LeftButton);
        QVERIFY(!train().picTrain->isHidden());
        QCOMPARE(answerBox()->property("Tag").toString(), QStringLiteral("1"));
        QVERIFY(train().sTrainText != text);
    }

    void escapeEndsDrillThenClosesWindow()
    {
        openDrill("En");
        startDrill();
        typeText(answerBox(), line().left(1));
        QTest::keyClick(answerBox(), Qt::Key_Escape);
        QVERIFY(train().picTrain->isHidden());
        QVERIFY(train().picSettings->isVisible());
        QVERIFY(WindowRegistry::IsLoaded<frmTrain>());

        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(!WindowRegistry::IsLoaded<frmTrain>());
    }
};

QTEST_MAIN(tst_frmTrain)
#include "tst_frmtrain.moc"
