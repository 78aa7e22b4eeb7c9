// The typing pad as a widget: key events in, beeps, redraws, results and the picture out.
#include "platform/KeyboardLayout.h"
#include "support/TestSupport.h"
#include "app/KeyboardPicture.h"
#include "typing/NextKeyPanel.h"
#include "typing/TypingPad.h"
#include "users/cUser.h"

#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace testsupport;

namespace {

// A host window that records the keys its children let through.
class Host : public QWidget
{
public:
    QList<int> keysReached;

protected:
    void keyPressEvent(QKeyEvent *event) override { keysReached.append(event->key()); }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void pressPhysical(QWidget *target, quint32 keycode, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, mods, keycode, 0, 0, QStringLiteral("?"));
    QApplication::sendEvent(target, &event);
}

// A key sent by name, as remote desktops and xdotool send a character the desktop's layout lacks:
// on a spare keycode, with the sender's text.
void pressByName(QWidget *target, const QString &text, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, mods, 8, 0, 0, text);
    QApplication::sendEvent(target, &event);
}

void pressKey(QWidget *target, Qt::Key key)
{
    QTest::keyClick(target, key);
}

// Columns of row `y` painted in `colour`.
QList<int> columnsIn(const QImage &image, int y, const QColor &colour)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour)
            columns.append(x);
    }
    return columns;
}

// The middles of the runs of neighbouring columns in `columns`: one per mark drawn across a row.
QList<double> runsOf(const QList<int> &columns)
{
    QList<double> middles;
    for (qsizetype i = 0; i < columns.size();) {
        qsizetype end = i + 1;
        while (end < columns.size() && columns[end] == columns[end - 1] + 1)
            ++end;
        middles.append((columns[i] + columns[end - 1]) / 2.0);
        i = end;
    }
    return middles;
}

// Pixels inside `rect` of the image drawn in a dark red, the error colour on the light background
// (smoothed letters blend it with the background, so only its hue is looked at).
int redPixelsIn(const QImage &image, const QRect &rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() - c.green() > 60;
        }
    }
    return count;
}

} // namespace

class tst_TypingPad : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScratchFolder> m_folder;
    std::unique_ptr<Host> m_host;
    TypingPad *m_pad = nullptr;

    void logInWith(const QString &lang, const QString &size = QStringLiteral("Small"),
                   const QString &errors = QStringLiteral("True"),
                   const QString &back = QStringLiteral("True"))
    {
        createAndLogIn(QStringLiteral("learner"));
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), lang);
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), size);
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Errors"), errors);
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Back"), back);
    }

    TypingPad *makePad(const QString &wanted, int width = 560, int height = 100)
    {
        m_host = std::make_unique<Host>();
        m_host->resize(width + 20, height + 20);
        m_pad = new TypingPad(m_host.get());
        m_pad->setGeometry(10, 10, width, height);
        m_host->show();
        m_host->activateWindow();
        if (!QTest::qWaitForWindowActive(m_host.get()))
            qWarning("the pad's window did not become active");
        m_pad->sWantedText = wanted;
        m_pad->bActive = true;
        m_pad->Start();
        m_pad->setFocus();
        return m_pad;
    }

private slots:
    void init() { m_folder = std::make_unique<ScratchFolder>(); }
    void cleanup()
    {
        m_host.reset();
        resetApplication();
        m_folder.reset();
    }

    void arabicPhysicalKeysUnderUsDesktop()
    {
        logInWith(QStringLiteral("A"));
        ManualClock clock(36000.4);
        TypingPad *pad = makePad(QStringLiteral("سلام عليكم"));
        QSignalSpy finished(pad, &TypingPad::FinishSession);
        // S B L space U G D ; L: B gives lam and alef, which must match the wanted letters.
        for (quint32 keycode : {39u, 56u, 46u, 65u, 30u, 42u, 40u, 47u}) {
            pressPhysical(pad, keycode);
            clock.now += 1;
        }
        QCOMPARE(finished.count(), 0);
        clock.now = 36015.0;
        pressPhysical(pad, 46);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(pad->sWrittenText, QStringLiteral("سلام عليكم"));
        QCOMPARE(pad->iAccuracy, 100.0);
        QCOMPARE(pad->iSpeed, 40.0); // 10 letters in 15 s
    }

    void keysSentByNameTypeTheTrainingLayout_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("US text on an Arabic pad")
            << QStringLiteral("A") << QStringLiteral("أتا")
            << QStringList{QStringLiteral("H"), QStringLiteral("j"), QStringLiteral("h")};
        QTest::newRow("Arabic text on an English pad")
            << QStringLiteral("E") << QStringLiteral("Jha")
            << QStringList{QStringLiteral("ـ"), QStringLiteral("ا"), QStringLiteral("ش")};
    }
    void keysSentByNameTypeTheTrainingLayout()
    {
        QFETCH(QString, lang);
        QFETCH(QString, wanted);
        QFETCH(QStringList, sent);
        logInWith(lang);
        TypingPad *pad = makePad(wanted);
        QSignalSpy finished(pad, &TypingPad::FinishSession);
        // The first key comes with Shift held, as the sender pressed it.
        pressByName(pad, sent.takeFirst(), Qt::ShiftModifier);
        for (const QString &text : sent)
            pressByName(pad, text);
        QCOMPARE(pad->sWrittenText, wanted);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(pad->iAccuracy, 100.0);
    }

    void desktopLigatureTypesTwoLetters()
    {
        logInWith(QStringLiteral("A"));
        TypingPad *pad = makePad(QStringLiteral("لا بد"));
        QTest::sendKeyEvent(QTest::Click, pad, Qt::Key_unknown, QString(QChar(0xFEFB)), Qt::NoModifier);
        QCOMPARE(pad->sWrittenText, QStringLiteral("لا"));
        QCOMPARE(pad->iNumofLetter, qint16(3));
        // Letters the code page cannot hold are not typed.
        QTest::sendKeyEvent(QTest::Click, pad, Qt::Key_unknown, QString(QChar(0x0436)), Qt::NoModifier);
        QCOMPARE(pad->sWrittenText, QStringLiteral("لا"));
        // Nor are the control characters of Ctrl with a letter.
        QTest::sendKeyEvent(QTest::Click, pad, Qt::Key_A, QString(QChar(0x01)), Qt::ControlModifier);
        QCOMPARE(pad->sWrittenText, QStringLiteral("لا"));
        QCOMPARE(pad->iNumofLetter, qint16(3));
    }

    void modifiedKeysTypeNothing_data()
    {
        QTest::addColumn<quint32>("keycode");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");

        // What the xcb platform delivers for these presses on a US desktop: the desktop's text.
        QTest::newRow("Alt+H") << 43u << int(Qt::AltModifier) << QStringLiteral("h");
        QTest::newRow("Meta+H") << 43u << int(Qt::MetaModifier) << QStringLiteral("h");
        QTest::newRow("Ctrl+1") << 10u << int(Qt::ControlModifier) << QStringLiteral("1");
        QTest::newRow("Ctrl+Shift+B")
            << 56u << int(Qt::ControlModifier | Qt::ShiftModifier) << QStringLiteral("B");
        QTest::newRow("synthetic Alt+x") << 0u << int(Qt::AltModifier) << QStringLiteral("x");
    }

    void modifiedKeysTypeNothing()
    {
        QFETCH(quint32, keycode);
        QFETCH(int, modifiers);
        QFETCH(QString, text);

        logInWith(QStringLiteral("A"));
        TypingPad *pad = makePad(QStringLiteral("بيت"));
        BeepCounter beeps;
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::KeyboardModifiers(modifiers), keycode, 0, 0,
                        text);
        QApplication::sendEvent(pad, &event);
        QVERIFY(pad->sWrittenText.isEmpty());
        QCOMPARE(pad->iNumofLetter, qint16(1));
        QCOMPARE(beeps.count, 0);
        // The press goes on to the window, whose shortcuts may want it.
        QCOMPARE(m_host->keysReached.size(), 1);
    }

    void oneKeyTypesIntoOneLine()
    {
        // The B key types lam and alef; when the lam completes the line and the host starts the next
        // line at once, the alef must not open the new line.
        logInWith(QStringLiteral("A"));
        ManualClock clock(36000.4);
        TypingPad *pad = makePad(QStringLiteral("سم"));
        QStringList next{QStringLiteral("بيت")};
        connect(pad, &TypingPad::FinishSession, pad, [pad, &next] {
            pad->sWantedText = next.isEmpty() ? QString() : next.takeFirst();
            pad->Start();
        });
        typeText(pad, QStringLiteral("س"));
        pressPhysical(pad, 56);
        QCOMPARE(pad->sWantedText, QStringLiteral("بيت"));
        QVERIFY(pad->sWrittenText.isEmpty());
        QCOMPARE(pad->iNumofLetter, qint16(1));
        // Its clock starts with its own first letter.
        QCOMPARE(pad->iSpeed, 0.0);
        clock.now = 36007.9;
        typeText(pad, QStringLiteral("ب"));
        QCOMPARE(pad->iSpeed, 36007.0);
    }

    void nextKeyMovesWithTyping_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys"); // the marked key before each letter typed, then after the last
        QTest::addColumn<QList<bool>>("shifts");
        // S, then B (lam with alef, after a wrong letter), then H (alef alone once lam is typed).
        QTest::newRow("arabic") << "A" << QStringLiteral("سلام") << QStringLiteral("شل") << QList<int>{13, 27, 17}
                                << QList<bool>{false, false, false};
        QTest::newRow("english shift") << "E" << QStringLiteral("Ab") << QStringLiteral("A")
                                       << QList<int>{12, 27} << QList<bool>{true, false};
    }

    void nextKeyMovesWithTyping()
    {
        QFETCH(QString, lang);
        QFETCH(QString, wanted);
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(QList<bool>, shifts);
        logInWith(lang);
        TypingPad *pad = makePad(wanted);
        auto *panel = new NextKeyPanel(m_host.get());
        panel->Follow(pad);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (i > 0)
                typeText(pad, typed.mid(i - 1, 1));
            QCOMPARE(panel->picKeyboard->NextKey(), keys[i]);
            QCOMPARE(panel->picKeyboard->NextKeyShifted(), shifts[i]);
        }
    }

    void keysThatBeep()
    {
        logInWith(QStringLiteral("E"));
        TypingPad *pad = makePad(QStringLiteral("abc"));
        auto *other = new QLineEdit(m_host.get());
        other->setGeometry(0, 0, 5, 5);
        pad->setFocus();
        BeepCounter beeps;
        pressKey(pad, Qt::Key_Tab);
        pressKey(pad, Qt::Key_Return);
        pressKey(pad, Qt::Key_Enter);
        QCOMPARE(beeps.count, 3);
        QVERIFY(pad->hasFocus());
        QVERIFY(m_host->keysReached.isEmpty());

        // Escape beeps too, then reaches the window, which ends the run or closes the test.
        pressKey(pad, Qt::Key_Escape);
        QCOMPARE(beeps.count, 4);
        QCOMPARE(m_host->keysReached, QList<int>{Qt::Key_Escape});
        QVERIFY(pad->sWrittenText.isEmpty());
    }

    void backspaceRules()
    {
        logInWith(QStringLiteral("A"), QStringLiteral("Small"), QStringLiteral("True"),
                  QStringLiteral("False"));
        TypingPad *pad = makePad(QStringLiteral("لا بد"));
        PaintCounter paints;
        pad->installEventFilter(&paints);
        BeepCounter beeps;
        typeText(pad, QStringLiteral("لا"));
        QCoreApplication::processEvents();

        // Not allowed: a beep and a redraw, nothing removed.
        paints.paints = 0;
        pressKey(pad, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QCOMPARE(beeps.count, 1);
        QVERIFY(paints.paints > 0);
        QCOMPARE(pad->sWrittenText, QStringLiteral("لا"));

        // Enter beeps without a redraw.
        paints.paints = 0;
        pressKey(pad, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(beeps.count, 2);
        QCOMPARE(paints.paints, 0);

        // Allowed: the typed pair goes whole, then a refusal at the start of the line.
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Back"), QStringLiteral("True"));
        pad->GetSettings();
        pressKey(pad, Qt::Key_Backspace);
        QCOMPARE(pad->sWrittenText, QString());
        QCOMPARE(pad->iNumofLetter, qint16(1));
        QCOMPARE(beeps.count, 2);
        pressKey(pad, Qt::Key_Backspace);
        QCOMPARE(beeps.count, 3);
    }

    void inactivePadIsSilent()
    {
        logInWith(QStringLiteral("E"));
        TypingPad *pad = makePad(QStringLiteral("abc"));
        pad->bActive = false;
        pad->PrintScreen();
        QCoreApplication::processEvents();
        PaintCounter paints;
        pad->installEventFilter(&paints);
        QSignalSpy finished(pad, &TypingPad::FinishSession);
        BeepCounter beeps;
        typeText(pad, QStringLiteral("abc"));
        pressKey(pad, Qt::Key_Return);
        pressKey(pad, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QCOMPARE(beeps.count, 0);
        QCOMPARE(paints.paints, 0);
        QCOMPARE(finished.count(), 0);
        QVERIFY(pad->sWrittenText.isEmpty());
    }

    void lineResults_data()
    {
        QTest::addColumn<QString>("errors");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("accuracy");
        QTest::addColumn<int>("ticks");

        const QString line = QStringLiteral("abcde fghij klmno pq");
        QTest::newRow("clean") << QStringLiteral("True") << line << 100.0 << 0;
        QTest::newRow("one error shown")
            << QStringLiteral("True") << QStringLiteral("abcde fghij klmnx pq") << 95.0 << 1;
        QTest::newRow("one error, marks off")
            << QStringLiteral("False") << QStringLiteral("abcde fghij klmnx pq") << 95.0 << 0;
    }

    void lineResults()
    {
        QFETCH(QString, errors);
        QFETCH(QString, typed);
        QFETCH(double, accuracy);
        QFETCH(int, ticks);

        logInWith(QStringLiteral("E"), QStringLiteral("Small"), errors);
        ManualClock clock(36000.6);
        // Leading and trailing blanks of the wanted text are not part of the line.
        TypingPad *pad = makePad(QStringLiteral("  abcde fghij klmno pq "));
        QSignalSpy finished(pad, &TypingPad::FinishSession);
        typeText(pad, typed.left(19));
        const QImage before = pad->grab().toImage();
        clock.now = 36030.0;
        typeText(pad, typed.mid(19));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(pad->iSpeed, 40.0);
        QCOMPARE(pad->iAccuracy, accuracy);
        QCOMPARE(runsOf(columnsIn(before, 12, QColor(128, 0, 0))).size(), ticks);
    }

    void emptyLineEndsAtFirstKey()
    {
        logInWith(QStringLiteral("E"));
        TypingPad *pad = makePad(QStringLiteral("  "));
        QSignalSpy finished(pad, &TypingPad::FinishSession);
        BeepCounter beeps;
        pressKey(pad, Qt::Key_Backspace); // refused, and still the line is judged complete
        QCOMPARE(beeps.count, 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(pad->iAccuracy, 100.0);
        QCOMPARE(pad->iSpeed, 0.0);
    }

    void ticksOverTheirLetters_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("wrong");

        QTest::newRow("english small, 3rd") << QStringLiteral("E") << QStringLiteral("Small")
                                            << QStringLiteral("asdf jkl;") << QStringLiteral("asx") << 2;
        QTest::newRow("english big, 7th") << QStringLiteral("E") << QStringLiteral("Big")
                                          << QStringLiteral("asdf jkl;") << QStringLiteral("asdf jxl") << 6;
        QTest::newRow("arabic small, 2nd") << QStringLiteral("A") << QStringLiteral("Small")
                                           << QStringLiteral("سمع بيت") << QStringLiteral("سن") << 1;
        QTest::newRow("arabic big, 6th") << QStringLiteral("A") << QStringLiteral("Big")
                                         << QStringLiteral("سمع بيت") << QStringLiteral("سمع بنت") << 5;
    }

    void ticksOverTheirLetters()
    {
        QFETCH(QString, lang);
        QFETCH(QString, size);
        QFETCH(QString, wanted);
        QFETCH(QString, typed);
        QFETCH(int, wrong);

        logInWith(lang, size);
        TypingPad *pad = makePad(wanted);
        typeText(pad, typed);
        const QList<double> ticks = runsOf(columnsIn(pad->grab().toImage(), 12, QColor(128, 0, 0)));
        QCOMPARE(ticks.size(), 1);
        // The pad's frame is one pixel; its cells are in the coordinates inside it.
        const QRectF cell = pad->WantedCell(wrong).translated(1, 0);
        QVERIFY2(ticks.first() > cell.left() && ticks.first() < cell.right(),
                 qPrintable(QStringLiteral("tick at %1, letter from %2 to %3")
                                .arg(ticks.first())
                                .arg(cell.left())
                                .arg(cell.right())));
    }

    // A wrong typed letter is drawn in the error colour, in the column of the letter it was judged
    // against; right letters are not, and with "Errors" off nothing is.
    void wrongLetterInTheErrorColour_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("errors");
        QTest::newRow("english") << QStringLiteral("E") << QStringLiteral("True");
        QTest::newRow("arabic") << QStringLiteral("A") << QStringLiteral("True");
        QTest::newRow("marks off") << QStringLiteral("A") << QStringLiteral("False");
    }
    void wrongLetterInTheErrorColour()
    {
        QFETCH(QString, lang);
        QFETCH(QString, errors);
        logInWith(lang, QStringLiteral("Small"), errors);
        const bool arabic = lang == QLatin1String("A");
        TypingPad *pad = makePad(arabic ? QStringLiteral("بيت كبير") : QStringLiteral("house big"));
        typeText(pad, arabic ? QStringLiteral("بنت") : QStringLiteral("hause"));
        const QImage image = pad->grab().toImage();
        const double typedTop = pad->CursorPosition().y() + 1;
        const double height = QFontMetricsF(pad->font()).height();
        auto typedCell = [&](int index) {
            return pad->WantedCell(index)
                .translated(1, typedTop + 1 - pad->WantedCell(index).top())
                .adjusted(0, 0, 0, height - pad->WantedCell(index).height())
                .toAlignedRect()
                .adjusted(1, 0, -1, 0); // a joined letter's smoothed edge may touch its neighbour's column
        };
        const int wrong = 1;
        QCOMPARE(redPixelsIn(image, typedCell(wrong)) > 3, errors == QLatin1String("True"));
        QCOMPARE(redPixelsIn(image, typedCell(0)), 0);
        QCOMPARE(redPixelsIn(image, typedCell(2)), 0);
    }

    // The cursor stands under the column of the next letter to type; after a line's last letter it
    // goes on in that letter's direction.
    void cursorInTheNextColumn_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("typed");
        QTest::newRow("English") << QStringLiteral("E") << QStringLiteral("Tavrin") << QStringLiteral("tav");
        QTest::newRow("Arabic") << QStringLiteral("A") << QStringLiteral("تاتا") << QStringLiteral("تت");
        // The settings preview shows a Latin sample on an Arabic pad.
        QTest::newRow("Latin on an Arabic pad")
            << QStringLiteral("A") << QStringLiteral("Tavrin") << QStringLiteral("Taf");
    }
    void cursorInTheNextColumn()
    {
        QFETCH(QString, lang);
        QFETCH(QString, wanted);
        QFETCH(QString, typed);
        logInWith(lang);
        TypingPad *pad = makePad(wanted);
        typeText(pad, typed);
        const double middle =
            pad->CursorPosition().x() + QFontMetricsF(pad->font()).horizontalAdvance(QLatin1Char('_')) / 2;
        const QRectF next = pad->WantedCell(typed.size());
        QVERIFY2(
            middle > next.left() && middle < next.right(),
            qPrintable(QStringLiteral("%1 not in %2-%3").arg(middle).arg(next.left()).arg(next.right())));
        // Columns run the line's way: the next Arabic letter stands left of the last one typed.
        const QRectF last = pad->WantedCell(typed.size() - 1);
        QCOMPARE(next.center().x() < last.center().x(), lang == QLatin1String("A") &&
                                                            wanted.at(0).isLetter() &&
                                                            wanted.at(0).script() == QChar::Script_Arabic);
    }

    // The large test layout's pads are 90 high: the large font shrinks until the typed line's deepest
    // letters and the cursor stay clear of the frame; a taller pad keeps the learner's size.
    void largeFontFitsALowPad()
    {
        logInWith(QStringLiteral("A"), QStringLiteral("Big"));
        const QString line = QStringLiteral("نجور جرن ونجر");
        TypingPad *pad = makePad(line, 600, 90);
        typeText(pad, line.chopped(1));
        const QImage image = pad->grab().toImage();
        const QColor back = image.pixelColor(pad->width() / 2, pad->height() - 2);
        for (int y = pad->height() - 4; y <= pad->height() - 2; ++y)
            QCOMPARE(columnsIn(image, y, back).size(), pad->width() - 2);
        QVERIFY(pad->font().pointSize() < 20);

        QCOMPARE(makePad(line, 560, 150)->font().pointSize(), 24); // Arabic's large size
    }

    void settingsApplied()
    {
        // Created before any login: nothing read yet.
        auto early = std::make_unique<TypingPad>();
        QCOMPARE(early->font().pointSize(), 9);

        logInWith(QStringLiteral("E"), QStringLiteral("Big"));
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("BKColor"), QStringLiteral("B"));
        auto created = std::make_unique<TypingPad>();
        QVERIFY(!created->bArabic);
        QCOMPARE(created->font().pointSize(), 20);
        QCOMPARE(platform::activeKeyboardLayout(), QString::fromLatin1(platform::kEnglishLayout));

        // Every Start re-reads the settings.
        theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), QStringLiteral("A"));
        theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QStringLiteral("Small"));
        TypingPad *pad = makePad(QStringLiteral("بيت"));
        QVERIFY(pad->bArabic);
        QCOMPARE(pad->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(pad->font().pointSize(), 12); // Arabic's small size
        QCOMPARE(platform::activeKeyboardLayout(), QString::fromLatin1(platform::kArabicLayout));
        const QImage image = pad->grab().toImage();
        QCOMPARE(image.pixelColor(pad->width() / 2, 4), QColor(0, 0, 0));
        bool textDrawn = false;
        for (int y = 21; y < 21 + QFontMetricsF(pad->font()).height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                textDrawn = textDrawn || image.pixelColor(x, y).lightness() > 200;
        }
        QVERIFY(textDrawn);
    }
    void colours()
    {
        const TypingPad::Colours black = TypingPad::ColoursFor(0);
        QCOMPARE(black.back, QColor(0, 0, 0));
        QCOMPARE(black.text, QColor(255, 255, 255));
        QCOMPARE(black.error, QColor(255, 255, 0));
        // Blue-green-red order: 0xC0FFC0 is light green either way; 0x0000FF is red.
        const TypingPad::Colours light = TypingPad::ColoursFor(0xC0FFC0);
        QCOMPARE(light.back, QColor(192, 255, 192));
        QCOMPARE(light.text, QColor(0, 0, 0));
        QCOMPARE(light.error, QColor(128, 0, 0));
        QCOMPARE(TypingPad::ColoursFor(0x0000FF).back, QColor(255, 0, 0));
    }
};

QTEST_MAIN(tst_TypingPad)
#include "tst_typingpad.moc"
