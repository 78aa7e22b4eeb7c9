#include "platform/KeyboardLayout.h"

#include <QKeyEvent>
#include <QTest>

using namespace platform;

namespace {

const QString kArabic = QString::fromLatin1(kArabicLayout);
const QString kEnglish = QString::fromLatin1(kEnglishLayout);

constexpr quint32 kXLockMask = 0x2;

// A key press as the xcb platform delivers it: the X keycode in the scan code, the desktop's own
// text (here a US desktop) in text().
QKeyEvent physicalKey(quint32 keycode, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      const QString &desktopText = {}, quint32 nativeMods = 0)
{
    return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, mods, keycode, 0, nativeMods, desktopText);
}

QString typedWith(const QString &layout, const QList<std::pair<quint32, bool>> &keys)
{
    loadKeyboardLayout(layout);
    QString text;
    for (const auto &[keycode, shift] : keys) {
        const QKeyEvent event =
            physicalKey(keycode, shift ? Qt::ShiftModifier : Qt::NoModifier, QStringLiteral("x"));
        text += typedText(event);
    }
    return text;
}

} // namespace

class tst_KeyboardLayout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { loadKeyboardLayout(kEnglish); }

    void everyKeyAtBothLevels_data();
    void everyKeyAtBothLevels();
    void arabicWordsUnderUsDesktop();
    void keypadDigits_data();
    void keypadDigits();
    void capsLock();
    void modifiedPressesKeepTheirText();
    void fallbackText_data();
    void fallbackText();
    void keysSentByName_data();
    void keysSentByName();
    void layoutIdentifiers();
};

void tst_KeyboardLayout::everyKeyAtBothLevels_data()
{
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<QString>("us");
    QTest::addColumn<QString>("usShift");
    QTest::addColumn<QString>("arabic");
    QTest::addColumn<QString>("arabicShift");

    struct Row
    {
        const char *name;
        quint32 keycode;
        const char16_t *us, *usShift, *arabic, *arabicShift;
    };
    const Row rows[] = {
        {"TLDE", 49, u"`", u"~", u"\u0630", u"\u0651"},
        {"AE01", 10, u"1", u"!", u"1", u"!"},
        {"AE02", 11, u"2", u"@", u"2", u"@"},
        {"AE03", 12, u"3", u"#", u"3", u"#"},
        {"AE04", 13, u"4", u"$", u"4", u"$"},
        {"AE05", 14, u"5", u"%", u"5", u"%"},
        {"AE06", 15, u"6", u"^", u"6", u"^"},
        {"AE07", 16, u"7", u"&", u"7", u"&"},
        {"AE08", 17, u"8", u"*", u"8", u"*"},
        {"AE09 brackets swap", 18, u"9", u"(", u"9", u")"},
        {"AE10 brackets swap", 19, u"0", u")", u"0", u"("},
        {"AE11", 20, u"-", u"_", u"-", u"_"},
        {"AE12", 21, u"=", u"+", u"=", u"+"},
        {"AD01", 24, u"q", u"Q", u"\u0636", u"\u064E"},
        {"AD02", 25, u"w", u"W", u"\u0635", u"\u064B"},
        {"AD03", 26, u"e", u"E", u"\u062B", u"\u064F"},
        {"AD04", 27, u"r", u"R", u"\u0642", u"\u064C"},
        {"AD05 lam hamza-below alef", 28, u"t", u"T", u"\u0641", u"\u0644\u0625"},
        {"AD06", 29, u"y", u"Y", u"\u063A", u"\u0625"},
        {"AD07 left quote", 30, u"u", u"U", u"\u0639", u"\u2018"},
        {"AD08", 31, u"i", u"I", u"\u0647", u"\u00F7"},
        {"AD09", 32, u"o", u"O", u"\u062E", u"\u00D7"},
        {"AD10", 33, u"p", u"P", u"\u062D", u"\u061B"},
        {"AD11", 34, u"[", u"{", u"\u062C", u"<"},
        {"AD12", 35, u"]", u"}", u"\u062F", u">"},
        {"BKSL bar", 51, u"\\", u"|", u"\\", u"|"},
        {"AC01", 38, u"a", u"A", u"\u0634", u"\u0650"},
        {"AC02", 39, u"s", u"S", u"\u0633", u"\u064D"},
        {"AC03", 40, u"d", u"D", u"\u064A", u"]"},
        {"AC04", 41, u"f", u"F", u"\u0628", u"["},
        {"AC05 lam hamza-above alef", 42, u"g", u"G", u"\u0644", u"\u0644\u0623"},
        {"AC06", 43, u"h", u"H", u"\u0627", u"\u0623"},
        {"AC07", 44, u"j", u"J", u"\u062A", u"\u0640"},
        {"AC08", 45, u"k", u"K", u"\u0646", u"\u060C"},
        {"AC09", 46, u"l", u"L", u"\u0645", u"/"},
        {"AC10", 47, u";", u":", u"\u0643", u":"},
        {"AC11", 48, u"'", u"\"", u"\u0637", u"\""},
        {"LSGT", 94, u"<", u">", u"|", u"\u00A6"},
        {"AB01", 52, u"z", u"Z", u"\u0626", u"~"},
        {"AB02", 53, u"x", u"X", u"\u0621", u"\u0652"},
        {"AB03", 54, u"c", u"C", u"\u0624", u"}"},
        {"AB04", 55, u"v", u"V", u"\u0631", u"{"},
        {"AB05 lam alef, lam madda alef", 56, u"b", u"B", u"\u0644\u0627", u"\u0644\u0622"},
        {"AB06", 57, u"n", u"N", u"\u0649", u"\u0622"},
        {"AB07 right quote", 58, u"m", u"M", u"\u0629", u"\u2019"},
        {"AB08", 59, u",", u"<", u"\u0648", u","},
        {"AB09", 60, u".", u">", u"\u0632", u"."},
        {"AB10", 61, u"/", u"?", u"\u0638", u"\u061F"},
        {"SPCE", 65, u" ", u" ", u" ", u" "},
    };
    for (const Row &row : rows) {
        QTest::newRow(row.name) << row.keycode << QString::fromUtf16(row.us)
                                << QString::fromUtf16(row.usShift) << QString::fromUtf16(row.arabic)
                                << QString::fromUtf16(row.arabicShift);
    }
}

void tst_KeyboardLayout::everyKeyAtBothLevels()
{
    QFETCH(quint32, keycode);
    QFETCH(QString, us);
    QFETCH(QString, usShift);
    QFETCH(QString, arabic);
    QFETCH(QString, arabicShift);

    QCOMPARE(textOfPhysicalKey(kEnglish, keycode, false), us);
    QCOMPARE(textOfPhysicalKey(kEnglish, keycode, true), usShift);
    QCOMPARE(textOfPhysicalKey(kArabic, keycode, false), arabic);
    QCOMPARE(textOfPhysicalKey(kArabic, keycode, true), arabicShift);

    // The event path gives the same, whatever text the desktop's own layout put in the event.
    loadKeyboardLayout(kArabic);
    QCOMPARE(typedText(physicalKey(keycode, Qt::NoModifier, QStringLiteral("?"))), arabic);
    QCOMPARE(typedText(physicalKey(keycode, Qt::ShiftModifier, QStringLiteral("?"))), arabicShift);
    loadKeyboardLayout(kEnglish);
    QCOMPARE(typedText(physicalKey(keycode, Qt::NoModifier, QString(QChar(0x0634)))), us);
}

void tst_KeyboardLayout::arabicWordsUnderUsDesktop()
{
    // S B L space U G D ; L
    const QString typed = typedWith(kArabic, {{39, false},
                                              {56, false},
                                              {46, false},
                                              {65, false},
                                              {30, false},
                                              {42, false},
                                              {40, false},
                                              {47, false},
                                              {46, false}});
    QCOMPARE(typed, QStringLiteral("سلام عليكم"));
    QCOMPARE(typedWith(kArabic, {{43, true}}), QStringLiteral("أ"));
    QCOMPARE(typedWith(kArabic, {{49, false}}), QStringLiteral("ذ"));
    QCOMPARE(typedWith(kArabic, {{56, false}}), QStringLiteral("لا"));
    QCOMPARE(typedWith(kEnglish, {{43, true}, {26, false}, {46, false}, {46, false}, {32, false}}),
             QStringLiteral("Hello"));
}

void tst_KeyboardLayout::keypadDigits_data()
{
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<QString>("digit");
    const std::pair<quint32, const char *> keys[] = {{79, "7"}, {80, "8"}, {81, "9"}, {83, "4"},
                                                     {84, "5"}, {85, "6"}, {87, "1"}, {88, "2"},
                                                     {89, "3"}, {90, "0"}, {91, "."}};
    for (const auto &[keycode, digit] : keys)
        QTest::newRow(qPrintable(QStringLiteral("KP %1").arg(QLatin1String(digit))))
            << keycode << QString::fromLatin1(digit);
}

void tst_KeyboardLayout::keypadDigits()
{
    QFETCH(quint32, keycode);
    QFETCH(QString, digit);
    for (const QString &layout : {kArabic, kEnglish}) {
        loadKeyboardLayout(layout);
        // Num Lock on: the desktop's text is the digit (an Arabic desktop may give an Arabic-Indic one).
        QCOMPARE(typedText(physicalKey(keycode, Qt::KeypadModifier, QString(QChar(0x0661)))), digit);
        // Num Lock off: navigation keys, nothing typed.
        QCOMPARE(typedText(physicalKey(keycode, Qt::KeypadModifier, QString())), QString());
    }
}

void tst_KeyboardLayout::capsLock()
{
    loadKeyboardLayout(kEnglish);
    QCOMPARE(typedText(physicalKey(38, Qt::NoModifier, QStringLiteral("A"), kXLockMask)),
             QStringLiteral("A"));
    QCOMPARE(typedText(physicalKey(38, Qt::ShiftModifier, QStringLiteral("a"), kXLockMask)),
             QStringLiteral("a"));
    QCOMPARE(typedText(physicalKey(10, Qt::NoModifier, QStringLiteral("1"), kXLockMask)),
             QStringLiteral("1"));
    loadKeyboardLayout(kArabic);
    QCOMPARE(typedText(physicalKey(38, Qt::NoModifier, QStringLiteral("A"), kXLockMask)),
             QStringLiteral("ش"));
}

void tst_KeyboardLayout::modifiedPressesKeepTheirText()
{
    loadKeyboardLayout(kArabic);
    for (Qt::KeyboardModifier mod : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
        const QKeyEvent event = physicalKey(54, mod, QStringLiteral("\x03"));
        QCOMPARE(typedText(event), QStringLiteral("\x03"));
    }
}

void tst_KeyboardLayout::fallbackText_data()
{
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QString>("eventText");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no scan code keeps its text") << 0u << QStringLiteral("سلم") << QStringLiteral("سلم");
    QTest::newRow("unknown scan code, text of no key") << 200u << QStringLiteral("é") << QStringLiteral("é");
    QTest::newRow("lam alef ligature") << 0u << QString(QChar(0xFEFB)) << QStringLiteral("لا");
    QTest::newRow("lam alef final form") << 0u << QString(QChar(0xFEFC)) << QStringLiteral("لا");
    QTest::newRow("lam madda alef") << 0u << QString(QChar(0xFEF5)) << QStringLiteral("لآ");
    QTest::newRow("lam hamza-above alef") << 0u << QString(QChar(0xFEF7)) << QStringLiteral("لأ");
    QTest::newRow("lam hamza-below alef") << 0u << QString(QChar(0xFEF9)) << QStringLiteral("لإ");
    QTest::newRow("ellipsis stays one character") << 0u << QString(QChar(0x2026)) << QString(QChar(0x2026));
    QTest::newRow("broken bar stays") << 0u << QString(QChar(0x00A6)) << QString(QChar(0x00A6));
}

void tst_KeyboardLayout::fallbackText()
{
    QFETCH(quint32, scanCode);
    QFETCH(QString, eventText);
    QFETCH(QString, expected);
    for (const QString &layout : {kArabic, kEnglish}) {
        loadKeyboardLayout(layout);
        QCOMPARE(typedText(physicalKey(scanCode, Qt::NoModifier, eventText)), expected);
    }
}

void tst_KeyboardLayout::keysSentByName_data()
{
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("eventText");
    QTest::addColumn<QString>("expected");

    // Keycode 8 is the spare keycode xdotool binds a keysym the desktop's layout lacks to.
    QTest::newRow("US letter on Arabic")
        << 8u << kArabic << false << QStringLiteral("a") << QStringLiteral("ش");
    QTest::newRow("Arabic letter on English")
        << 8u << kEnglish << false << QStringLiteral("ش") << QStringLiteral("a");
    QTest::newRow("shifted US letter on Arabic")
        << 8u << kArabic << true << QStringLiteral("A") << QString(QChar(0x0650));
    QTest::newRow("level by text, not by Shift")
        << 8u << kArabic << false << QStringLiteral("H") << QStringLiteral("أ");
    QTest::newRow("US punctuation is a US key")
        << 8u << kArabic << false << QStringLiteral(";") << QStringLiteral("ك");
    QTest::newRow("US punctuation stays on English")
        << 8u << kEnglish << false << QStringLiteral("[") << QStringLiteral("[");
    QTest::newRow("comma key, not the ISO key")
        << 8u << kArabic << true << QStringLiteral("<") << QStringLiteral(",");
    QTest::newRow("Arabic-only sign on English")
        << 8u << kEnglish << true << QStringLiteral("؟") << QStringLiteral("?");
    QTest::newRow("lam alef ligature on English")
        << 8u << kEnglish << false << QString(QChar(0xFEFB)) << QStringLiteral("b");
    QTest::newRow("lam hamza alef on English")
        << 8u << kEnglish << true << QStringLiteral("لأ") << QStringLiteral("G");
    QTest::newRow("space") << 255u << kArabic << false << QStringLiteral(" ") << QStringLiteral(" ");
    // A known physical key types its own letter, whatever the desktop's French or Arabic layout gives.
    QTest::newRow("French A on the Q key, Arabic")
        << 24u << kArabic << false << QStringLiteral("a") << QStringLiteral("ض");
    QTest::newRow("French A on the Q key, English")
        << 24u << kEnglish << false << QStringLiteral("a") << QStringLiteral("q");
    QTest::newRow("Arabic text on the S key, English")
        << 39u << kEnglish << false << QStringLiteral("ش") << QStringLiteral("s");
}

void tst_KeyboardLayout::keysSentByName()
{
    QFETCH(quint32, keycode);
    QFETCH(QString, layout);
    QFETCH(bool, shift);
    QFETCH(QString, eventText);
    QFETCH(QString, expected);
    loadKeyboardLayout(layout);
    QCOMPARE(typedText(physicalKey(keycode, shift ? Qt::ShiftModifier : Qt::NoModifier, eventText)),
             expected);
}

void tst_KeyboardLayout::layoutIdentifiers()
{
    QVERIFY(loadKeyboardLayout(kArabic));
    QCOMPARE(activeKeyboardLayout(), kArabic);
    QVERIFY(!loadKeyboardLayout(QStringLiteral("00000407")));
    QCOMPARE(activeKeyboardLayout(), kArabic);
    QVERIFY(loadKeyboardLayout(kEnglish));
    QCOMPARE(activeKeyboardLayout(), kEnglish);
}

QTEST_MAIN(tst_KeyboardLayout)
#include "tst_keyboardlayout.moc"
