// STAND-IN (not to land).
#include "adaptive/cTrainerKeys.h"

#include "app/KeyTables.h"
#include "app/StringTable.h"
#include "users/cHistory.h"

namespace {
QList<TrainerKey> build(bool arabic)
{
    FillKeyTables();
    QList<TrainerKey> keys;
    QString seen;
    for (int lesson = 1; lesson <= 6; ++lesson) {
        const QString letters = LessonLetters(lesson, arabic);
        for (qsizetype i = 0; i < letters.size(); ++i) {
            QString label(letters.at(i));
            if (arabic && letters.mid(i, 2) == QStringLiteral("لا")) {
                label = QStringLiteral("لا");
                ++i;
            }
            if (seen.contains(label + QLatin1Char('|')))
                continue;
            seen += label + QLatin1Char('|');
            TrainerKey key;
            key.sLabel = arabic ? label : label.toLower();
            key.iPosition = keygrid::positionOf(label, arabic);
            key.sLetters = label == QStringLiteral("لا") ? QString(QChar(0xFEFB))
                           : arabic                     ? label
                                                        : label.toLower() + label.toUpper();
            keys.append(key);
        }
    }
    return keys;
}
} // namespace

const QList<TrainerKey> &trainerKeys(bool arabic)
{
    static const QList<TrainerKey> ar = build(true), en = build(false);
    return arabic ? ar : en;
}

int firstSetSize(bool arabic)
{
    return arabic ? 6 : 5;
}

int trainerKeyOf(QChar letter, bool arabic)
{
    const QList<TrainerKey> &keys = trainerKeys(arabic);
    for (int i = 0; i < keys.size(); ++i)
        if (keys.at(i).sLetters.contains(letter))
            return i;
    return -1;
}
