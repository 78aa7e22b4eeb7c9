#include "platform/KeyboardLayout.h"

#include <QHash>
#include <QKeyEvent>

#include <array>

namespace platform {

namespace {

struct KeyText
{
    quint32 keycode;
    const char16_t *us;
    const char16_t *usShift;
    const char16_t *arabic;
    const char16_t *arabicShift;
};

// Every key of the main block, by X keycode, at both levels of both layouts. The Arabic (101) layout
// puts the two letters lam and alef on B (and on Shift+B, G, T with the other alef forms); the
// desktop's XKB "ara" layout would give presentation-form ligatures there instead.
constexpr std::array<KeyText, 49> kKeys = {{
    {49, u"`", u"~", u"\u0630", u"\u0651"},
    {10, u"1", u"!", u"1", u"!"},
    {11, u"2", u"@", u"2", u"@"},
    {12, u"3", u"#", u"3", u"#"},
    {13, u"4", u"$", u"4", u"$"},
    {14, u"5", u"%", u"5", u"%"},
    {15, u"6", u"^", u"6", u"^"},
    {16, u"7", u"&", u"7", u"&"},
    {17, u"8", u"*", u"8", u"*"},
    {18, u"9", u"(", u"9", u")"},
    {19, u"0", u")", u"0", u"("},
    {20, u"-", u"_", u"-", u"_"},
    {21, u"=", u"+", u"=", u"+"},
    {24, u"q", u"Q", u"\u0636", u"\u064E"},
    {25, u"w", u"W", u"\u0635", u"\u064B"},
    {26, u"e", u"E", u"\u062B", u"\u064F"},
    {27, u"r", u"R", u"\u0642", u"\u064C"},
    {28, u"t", u"T", u"\u0641", u"\u0644\u0625"},
    {29, u"y", u"Y", u"\u063A", u"\u0625"},
    {30, u"u", u"U", u"\u0639", u"\u2018"},
    {31, u"i", u"I", u"\u0647", u"\u00F7"},
    {32, u"o", u"O", u"\u062E", u"\u00D7"},
    {33, u"p", u"P", u"\u062D", u"\u061B"},
    {34, u"[", u"{", u"\u062C", u"<"},
    {35, u"]", u"}", u"\u062F", u">"},
    {51, u"\\", u"|", u"\\", u"|"},
    {38, u"a", u"A", u"\u0634", u"\u0650"},
    {39, u"s", u"S", u"\u0633", u"\u064D"},
    {40, u"d", u"D", u"\u064A", u"]"},
    {41, u"f", u"F", u"\u0628", u"["},
    {42, u"g", u"G", u"\u0644", u"\u0644\u0623"},
    {43, u"h", u"H", u"\u0627", u"\u0623"},
    {44, u"j", u"J", u"\u062A", u"\u0640"},
    {45, u"k", u"K", u"\u0646", u"\u060C"},
    {46, u"l", u"L", u"\u0645", u"/"},
    {47, u";", u":", u"\u0643", u":"},
    {48, u"'", u"\"", u"\u0637", u"\""},
    {94, u"<", u">", u"|", u"\u00A6"},
    {52, u"z", u"Z", u"\u0626", u"~"},
    {53, u"x", u"X", u"\u0621", u"\u0652"},
    {54, u"c", u"C", u"\u0624", u"}"},
    {55, u"v", u"V", u"\u0631", u"{"},
    {56, u"b", u"B", u"\u0644\u0627", u"\u0644\u0622"},
    {57, u"n", u"N", u"\u0649", u"\u0622"},
    {58, u"m", u"M", u"\u0629", u"\u2019"},
    {59, u",", u"<", u"\u0648", u","},
    {60, u".", u">", u"\u0632", u"."},
    {61, u"/", u"?", u"\u0638", u"\u061F"},
    {65, u" ", u" ", u" ", u" "},
}};

struct KeypadKey
{
    quint32 keycode;
    char16_t text;
};

// Keypad keys give ASCII digits in both layouts, but only with Num Lock on (the event has text).
constexpr std::array<KeypadKey, 11> kKeypad = {{
    {79, u'7'},
    {80, u'8'},
    {81, u'9'},
    {83, u'4'},
    {84, u'5'},
    {85, u'6'},
    {87, u'1'},
    {88, u'2'},
    {89, u'3'},
    {90, u'0'},
    {91, u'.'},
}};

// Presentation forms of lam with an alef form, isolated and final (U+FEF5 to U+FEFC).
constexpr char16_t kFirstLamAlef = 0xFEF5;
constexpr char16_t kLastLamAlef = 0xFEFC;

// X modifier state bit of Caps Lock, as the xcb platform reports it in nativeModifiers().
constexpr quint32 kXLockMask = 0x2;

QString &activeLayout()
{
    static QString layout = QString::fromLatin1(kEnglishLayout);
    return layout;
}

const KeyText *findKey(quint32 keycode)
{
    for (const KeyText &key : kKeys) {
        if (key.keycode == keycode)
            return &key;
    }
    return nullptr;
}

bool isArabic(const QString &layoutId)
{
    return layoutId == QLatin1String(kArabicLayout);
}

// The physical key of the ISO 102nd key, which US keyboards lack.
constexpr quint32 kIsoKey = 94;

struct KeyLevel
{
    const KeyText *key;
    bool shift;
};

// Keys by the text they type, for presses whose keycode is no physical key of ours: keys sent by
// name (remote desktops, on-screen keyboards, xdotool) get a spare keycode bound to their character.
// Text both layouts type is read as US first: such senders mostly type with a US layout. The ISO key
// comes last, so "<" is the comma key's. Built on the first such key, then only looked up.
const QHash<QString, KeyLevel> &keysByText()
{
    static const QHash<QString, KeyLevel> keys = [] {
        constexpr std::array<std::pair<const char16_t * KeyText::*, bool>, 4> levels = {{
            {&KeyText::us, false},
            {&KeyText::usShift, true},
            {&KeyText::arabic, false},
            {&KeyText::arabicShift, true},
        }};
        QHash<QString, KeyLevel> byText;
        for (bool isoKey : {false, true}) {
            for (const auto &[column, shift] : levels) {
                for (const KeyText &key : kKeys) {
                    const QString text = QString::fromUtf16(key.*column);
                    if ((key.keycode == kIsoKey) == isoKey && !byText.contains(text))
                        byText.insert(text, {&key, shift});
                }
            }
        }
        return byText;
    }();
    return keys;
}

QString textOfKey(const KeyText &key, const QString &layoutId, bool shift, bool capsLock)
{
    if (isArabic(layoutId))
        return QString::fromUtf16(shift ? key.arabicShift : key.arabic);
    QString text = QString::fromUtf16(shift ? key.usShift : key.us);
    // Caps Lock inverts the case of letters only.
    if (capsLock && text.size() == 1 && text.at(0).isLetter())
        text = shift ? text.toLower() : text.toUpper();
    return text;
}

} // namespace

bool loadKeyboardLayout(const QString &layoutId)
{
    if (layoutId != QLatin1String(kArabicLayout) && layoutId != QLatin1String(kEnglishLayout))
        return false;
    activeLayout() = layoutId;
    return true;
}

QString activeKeyboardLayout()
{
    return activeLayout();
}

QString textOfPhysicalKey(const QString &layoutId, quint32 xKeycode, bool shift, bool capsLock)
{
    const KeyText *key = findKey(xKeycode);
    return key ? textOfKey(*key, layoutId, shift, capsLock) : QString();
}

QString typedText(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return event.text();

    const quint32 keycode = event.nativeScanCode();
    for (const KeypadKey &key : kKeypad) {
        if (key.keycode == keycode)
            return event.text().isEmpty() ? QString() : QString(QChar(key.text));
    }
    if (findKey(keycode)) {
        const bool shift = mods & Qt::ShiftModifier;
        const bool capsLock = event.nativeModifiers() & kXLockMask;
        return textOfPhysicalKey(activeLayout(), keycode, shift, capsLock);
    }
    // No physical key: the event's text, with the desktop's lam-alef ligatures split. Only those: a
    // full compatibility normalisation would also turn one typed "…" into three dots.
    QString text;
    for (QChar c : event.text()) {
        if (c.unicode() >= kFirstLamAlef && c.unicode() <= kLastLamAlef)
            text += QString(c).normalized(QString::NormalizationForm_KC);
        else
            text += c;
    }
    // A keycode we do not know is a key sent by name: type the training layout's character of the key
    // that gives this text, at the same level. Events without any scan code are our own synthetic
    // ones and keep their text.
    if (keycode != 0 && !text.isEmpty()) {
        const auto found = keysByText().constFind(text);
        if (found != keysByText().constEnd())
            return textOfKey(*found->key, activeLayout(), found->shift, false);
    }
    return text;
}

} // namespace platform
