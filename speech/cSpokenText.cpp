#include "speech/cSpokenText.h"

#include "app/KeyTables.h"
#include "platform/KeyboardLayout.h"

#include <QHash>

#include <algorithm>

namespace {

const QString kComma = QStringLiteral("، ");
constexpr quint32 kSpaceKeycode = 65;

// Names of the letters, marks and signs the two layouts type, as a teacher says them.
const QHash<QChar, QString> &arabicNames()
{
    static const QHash<QChar, QString> names = {
        {QChar(0x0627), QStringLiteral("ألف")},
        {QChar(0x0628), QStringLiteral("باء")},
        {QChar(0x062A), QStringLiteral("تاء")},
        {QChar(0x062B), QStringLiteral("ثاء")},
        {QChar(0x062C), QStringLiteral("جيم")},
        {QChar(0x062D), QStringLiteral("حاء")},
        {QChar(0x062E), QStringLiteral("خاء")},
        {QChar(0x062F), QStringLiteral("دال")},
        {QChar(0x0630), QStringLiteral("ذال")},
        {QChar(0x0631), QStringLiteral("راء")},
        {QChar(0x0632), QStringLiteral("زاي")},
        {QChar(0x0633), QStringLiteral("سين")},
        {QChar(0x0634), QStringLiteral("شين")},
        {QChar(0x0635), QStringLiteral("صاد")},
        {QChar(0x0636), QStringLiteral("ضاد")},
        {QChar(0x0637), QStringLiteral("طاء")},
        {QChar(0x0638), QStringLiteral("ظاء")},
        {QChar(0x0639), QStringLiteral("عين")},
        {QChar(0x063A), QStringLiteral("غين")},
        {QChar(0x0641), QStringLiteral("فاء")},
        {QChar(0x0642), QStringLiteral("قاف")},
        {QChar(0x0643), QStringLiteral("كاف")},
        {QChar(0x0644), QStringLiteral("لام")},
        {QChar(0x0645), QStringLiteral("ميم")},
        {QChar(0x0646), QStringLiteral("نون")},
        {QChar(0x0647), QStringLiteral("هاء")},
        {QChar(0x0648), QStringLiteral("واو")},
        {QChar(0x064A), QStringLiteral("ياء")},
        {QChar(0x0621), QStringLiteral("همزة")},
        {QChar(0x0623), QStringLiteral("ألف عليها همزة")},
        {QChar(0x0625), QStringLiteral("ألف تحتها همزة")},
        {QChar(0x0622), QStringLiteral("ألف مد")},
        {QChar(0x0624), QStringLiteral("واو عليها همزة")},
        {QChar(0x0626), QStringLiteral("ياء عليها همزة")},
        {QChar(0x0649), QStringLiteral("ألف مقصورة")},
        {QChar(0x0629), QStringLiteral("تاء مربوطة")},
        {QChar(0x0640), QStringLiteral("تطويل")},
        {QChar(0x064E), QStringLiteral("فتحة")},
        {QChar(0x064B), QStringLiteral("تنوين فتح")},
        {QChar(0x064F), QStringLiteral("ضمة")},
        {QChar(0x064C), QStringLiteral("تنوين ضم")},
        {QChar(0x0650), QStringLiteral("كسرة")},
        {QChar(0x064D), QStringLiteral("تنوين كسر")},
        {QChar(0x0651), QStringLiteral("شدة")},
        {QChar(0x0652), QStringLiteral("سكون")},
        {QChar(0x060C), QStringLiteral("فاصلة")},
        {QChar(0x061B), QStringLiteral("فاصلة منقوطة")},
        {QChar(0x061F), QStringLiteral("علامة استفهام")},
        {QChar(0x2018), QStringLiteral("علامة تنصيص فتح")},
        {QChar(0x2019), QStringLiteral("علامة تنصيص إغلاق")},
        {QChar(0x00F7), QStringLiteral("علامة القسمة")},
        {QChar(0x00D7), QStringLiteral("علامة الضرب")},
        {QLatin1Char(' '), QStringLiteral("مسافة")},
        {QLatin1Char('.'), QStringLiteral("نقطة")},
        {QLatin1Char(','), QStringLiteral("فاصلة")},
        {QLatin1Char(';'), QStringLiteral("فاصلة منقوطة")},
        {QLatin1Char(':'), QStringLiteral("نقطتان")},
        {QLatin1Char('!'), QStringLiteral("علامة تعجب")},
        {QLatin1Char('?'), QStringLiteral("علامة استفهام")},
        {QLatin1Char('\''), QStringLiteral("فاصلة عليا")},
        {QLatin1Char('"'), QStringLiteral("علامة تنصيص")},
        {QLatin1Char('-'), QStringLiteral("شرطة")},
        {QLatin1Char('_'), QStringLiteral("شرطة سفلية")},
        {QLatin1Char('('), QStringLiteral("قوس فتح")},
        {QLatin1Char(')'), QStringLiteral("قوس إغلاق")},
        {QLatin1Char('['), QStringLiteral("قوس مربع فتح")},
        {QLatin1Char(']'), QStringLiteral("قوس مربع إغلاق")},
        {QLatin1Char('{'), QStringLiteral("قوس معقوف فتح")},
        {QLatin1Char('}'), QStringLiteral("قوس معقوف إغلاق")},
        {QLatin1Char('<'), QStringLiteral("أصغر من")},
        {QLatin1Char('>'), QStringLiteral("أكبر من")},
        {QLatin1Char('/'), QStringLiteral("شرطة مائلة")},
        {QLatin1Char('\\'), QStringLiteral("شرطة مائلة عكسية")},
        {QLatin1Char('|'), QStringLiteral("خط عمودي")},
        {QLatin1Char('='), QStringLiteral("يساوي")},
        {QLatin1Char('+'), QStringLiteral("زائد")},
        {QLatin1Char('*'), QStringLiteral("نجمة")},
        {QLatin1Char('&'), QStringLiteral("و")},
        {QLatin1Char('@'), QStringLiteral("علامة at")},
        {QLatin1Char('#'), QStringLiteral("علامة الرقم")},
        {QLatin1Char('$'), QStringLiteral("دولار")},
        {QLatin1Char('%'), QStringLiteral("نسبة مئوية")},
        {QLatin1Char('^'), QStringLiteral("علامة الأس")},
        {QLatin1Char('~'), QStringLiteral("تلدة")},
        {QLatin1Char('`'), QStringLiteral("علامة الإسناد")},
    };
    return names;
}

bool isLatinLetter(QChar c)
{
    return c.script() == QChar::Script_Latin && c.isLetter();
}

} // namespace

bool cSpokenText::IsArabicScript(QChar c)
{
    return c.script() == QChar::Script_Arabic;
}

SpokenPart cSpokenText::LetterName(QChar cLetter)
{
    if (isLatinLetter(cLetter)) {
        if (cLetter.isUpper())
            return {QStringLiteral("capital ") + cLetter, false};
        return {QString(cLetter), false};
    }
    const auto name = arabicNames().constFind(cLetter);
    if (name != arabicNames().constEnd())
        return {*name, true};
    return {QString(cLetter), true}; // digits and the rest read as they are
}

namespace {

void addInVoice(Utterance &parts, const QString &text, bool arabic)
{
    if (text.trimmed().isEmpty())
        return;
    if (!parts.isEmpty() && parts.last().bArabic == arabic)
        parts.last().sText += QLatin1Char(' ') + text;
    else
        parts.append({text, arabic});
}

// A word goes to the voice of its first letter of either script; digits and signs go to the Arabic.
bool wordIsArabic(const QString &word)
{
    for (QChar c : word) {
        if (cSpokenText::IsArabicScript(c) || isLatinLetter(c))
            return cSpokenText::IsArabicScript(c);
    }
    return true;
}

} // namespace

Utterance cSpokenText::Line(const QString &sLine)
{
    Utterance parts;
    const QStringList words = sLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (word.size() == 1) {
            const SpokenPart name = LetterName(word.at(0));
            // A lone Latin letter in running text would be read as a word ("a"); a clause of its own
            // is read as its name.
            addInVoice(parts, name.bArabic ? name.sText : name.sText + QLatin1Char(','), name.bArabic);
            continue;
        }
        addInVoice(parts, word, wordIsArabic(word));
    }
    return parts;
}

Utterance cSpokenText::Text(const QString &sText)
{
    static const QString kUnsaid = QStringLiteral("-.,:;_*\u060C\u061B");
    Utterance parts;
    const QStringList words = sText.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (std::all_of(word.begin(), word.end(), [](QChar c) { return kUnsaid.contains(c); }))
            continue;
        addInVoice(parts, word, wordIsArabic(word));
    }
    return parts;
}

cSpokenText::KeyPlace cSpokenText::KeyOf(QChar cLetter, bool bArabicLayout)
{
    const QString layout =
        QString::fromLatin1(bArabicLayout ? platform::kArabicLayout : platform::kEnglishLayout);
    const QString wanted(cLetter);
    for (bool shift : {false, true}) {
        for (quint32 keycode = 10; keycode <= 65; ++keycode) {
            const QString text = platform::textOfPhysicalKey(layout, keycode, shift);
            // The lam-alef keys type two letters; the alef of the pair is typed on its own key.
            if (text == wanted)
                return {keycode, shift};
        }
    }
    return {};
}

QString cSpokenText::KeyName(quint32 iKeycode)
{
    const QString label =
        platform::textOfPhysicalKey(QString::fromLatin1(platform::kEnglishLayout), iKeycode, false);
    if (iKeycode == 65)
        return QStringLiteral("مفتاح المسافة");
    if (label.size() == 1 && (label.at(0).isLetterOrNumber()))
        return QStringLiteral("المفتاح ") + label.toUpper();
    if (label == QStringLiteral("`"))
        return QStringLiteral("المفتاح الذي قبل 1");
    const auto name = arabicNames().constFind(label.isEmpty() ? QChar() : label.at(0));
    if (label.size() == 1 && name != arabicNames().constEnd())
        return QStringLiteral("مفتاح ") + *name;
    return QStringLiteral("المفتاح ") + label;
}

int cSpokenText::FingerOf(quint32 iKeycode)
{
    // X keycodes by row: the digit row from 1 (the key left of 1 is 49), the three letter rows, the
    // space bar; the key under Backspace is the right little finger's.
    if (iKeycode == 49)
        return keygrid::fingerOfDigit(0);
    if (iKeycode >= 10 && iKeycode <= 21)
        return keygrid::fingerOfDigit(int(iKeycode) - 9);
    if (iKeycode >= 24 && iKeycode <= 35)
        return keygrid::fingerOf(int(iKeycode) - 24);
    if (iKeycode == 51)
        return 7;
    if (iKeycode >= 38 && iKeycode <= 48)
        return keygrid::fingerOf(int(iKeycode) - 38 + 12);
    if (iKeycode >= 52 && iKeycode <= 61)
        return keygrid::fingerOf(int(iKeycode) - 52 + 23);
    if (iKeycode == kSpaceKeycode)
        return keygrid::fingerOf(keygrid::kSpaceBar);
    return -1;
}

QString cSpokenText::FingerName(int iFinger)
{
    static const QString kNames[9] = {
        QStringLiteral("الخنصر الأيسر"),  QStringLiteral("البنصر الأيسر"),  QStringLiteral("الوسطى اليسرى"),
        QStringLiteral("السبابة اليسرى"), QStringLiteral("السبابة اليمنى"), QStringLiteral("الوسطى اليمنى"),
        QStringLiteral("البنصر الأيمن"),  QStringLiteral("الخنصر الأيمن"),  QStringLiteral("الإبهام"),
    };
    return iFinger >= 0 && iFinger < 9 ? kNames[iFinger] : QString();
}

Utterance cSpokenText::NextLetter(const QString &sLine, qsizetype iIndex, bool bArabicLayout)
{
    if (iIndex < 0 || iIndex >= sLine.size())
        return {{QStringLiteral("نهاية السطر"), true}};
    const QChar letter = sLine.at(iIndex);
    const SpokenPart name = LetterName(letter);
    QString place;
    const KeyPlace key = KeyOf(letter, bArabicLayout);
    if (key.iKeycode == kSpaceKeycode) {
        place = FingerName(FingerOf(key.iKeycode)); // "مسافة، الإبهام": the name says the key
    } else if (key.iKeycode != 0) {
        place = KeyName(key.iKeycode);
        if (key.bShift)
            place += QStringLiteral(" مع Shift");
        place += kComma + FingerName(FingerOf(key.iKeycode));
    }
    if (name.bArabic)
        return {{place.isEmpty() ? name.sText : name.sText + kComma + place, true}};
    Utterance parts{name};
    if (!place.isEmpty())
        parts.append({place, true});
    return parts;
}
