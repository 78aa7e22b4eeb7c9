#include "app/KeyStrokes.h"

#include "app/KeyTables.h"
#include "platform/KeyboardLayout.h"

#include <QHash>

namespace keygrid {

namespace {

// The keys of the main block by X keycode, with their grid positions.
struct Key
{
    quint32 keycode;
    int position;
};

QList<Key> mainBlock()
{
    QList<Key> keys;
    for (int i = 0; i < 12; ++i)
        keys.append({quint32(24 + i), i}); // Q to ]
    for (int i = 0; i < 11; ++i)
        keys.append({quint32(38 + i), 12 + i}); // A to '
    for (int i = 0; i < 10; ++i)
        keys.append({quint32(52 + i), 23 + i}); // Z to /
    for (int i = 0; i < 12; ++i)
        keys.append({quint32(10 + i), kDigitRow + 1 + i}); // 1 to =
    keys.append({49, kKeyLeftOfOne});
    keys.append({65, kSpaceBar});
    return keys;
}

// What each key gives in a layout, looked up the other way round; built once per layout.
const QHash<QString, KeyStroke> &strokesOf(bool arabic)
{
    static QHash<QString, KeyStroke> tables[2];
    QHash<QString, KeyStroke> &table = tables[arabic ? 1 : 0];
    if (table.isEmpty()) {
        const QString layout = QString::fromLatin1(arabic ? platform::kArabicLayout : platform::kEnglishLayout);
        for (bool shift : {false, true}) {
            for (const Key &key : mainBlock()) {
                const QString text = platform::textOfPhysicalKey(layout, key.keycode, shift);
                if (!text.isEmpty() && !table.contains(text))
                    table.insert(text, {key.position, shift});
            }
        }
    }
    return table;
}

} // namespace

KeyStroke strokeFor(const QString &text, bool arabic)
{
    if (text.isEmpty())
        return {};
    const QHash<QString, KeyStroke> &table = strokesOf(arabic);
    const auto pair = table.constFind(text.left(2));
    if (text.size() >= 2 && pair != table.constEnd())
        return *pair;
    return table.value(text.left(1));
}

} // namespace keygrid
