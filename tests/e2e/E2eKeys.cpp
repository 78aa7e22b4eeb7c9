#include "E2eKeys.h"

#include "platform/KeyboardLayout.h"

#include <QHash>

namespace e2e {

namespace {

// The US keysym that xdotool presses for a physical key, by the key's unshifted US text.
QString keysymOf(const QString &usText)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral(" "), QStringLiteral("space")},
        {QStringLiteral(";"), QStringLiteral("semicolon")},
        {QStringLiteral("'"), QStringLiteral("apostrophe")},
        {QStringLiteral(","), QStringLiteral("comma")},
        {QStringLiteral("."), QStringLiteral("period")},
        {QStringLiteral("/"), QStringLiteral("slash")},
        {QStringLiteral("["), QStringLiteral("bracketleft")},
        {QStringLiteral("]"), QStringLiteral("bracketright")},
        {QStringLiteral("`"), QStringLiteral("grave")},
        {QStringLiteral("-"), QStringLiteral("minus")},
        {QStringLiteral("="), QStringLiteral("equal")},
        {QStringLiteral("\\"), QStringLiteral("backslash")},
    };
    return names.value(usText, usText);
}

} // namespace

QStringList keysFor(const QString &text, const QString &layout)
{
    QHash<QString, QString> keyOf;
    for (quint32 keycode = 10; keycode <= 65; ++keycode) {
        const QString us =
            platform::textOfPhysicalKey(QString::fromLatin1(platform::kEnglishLayout), keycode, false);
        if (us.isEmpty() || keycode == 94)
            continue;
        for (bool shift : {false, true}) {
            const QString typed = platform::textOfPhysicalKey(layout, keycode, shift);
            if (!typed.isEmpty() && !keyOf.contains(typed))
                keyOf.insert(typed, (shift ? QStringLiteral("shift+") : QString()) + keysymOf(us));
        }
    }
    QStringList keys;
    for (const QChar c : text)
        keys.append(keyOf.value(QString(c)));
    return keys;
}

} // namespace e2e
