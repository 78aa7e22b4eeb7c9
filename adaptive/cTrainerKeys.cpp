#include "adaptive/cTrainerKeys.h"

#include "app/KeyTables.h"
#include "app/StringTable.h"
#include "users/cHistory.h"

#include <QHash>

#include <array>
#include <vector>

namespace {

// What an Arabic (101) key types shifted that counts for it, by its unshifted letter: the forms of
// hamza and madda, the harakat and the lam-alef pairs. Tatweel and punctuation are no letters to train.
const QHash<QString, QString> &arabicShifted()
{
    static const QHash<QString, QString> shifted = {
        {QStringLiteral("ض"), QStringLiteral("\u064E")}, // fatha
        {QStringLiteral("ص"), QStringLiteral("\u064B")}, // fathatan
        {QStringLiteral("ث"), QStringLiteral("\u064F")}, // damma
        {QStringLiteral("ق"), QStringLiteral("\u064C")}, // dammatan
        {QStringLiteral("ف"), QString(kLamAlefHamzaBelowKey)},
        {QStringLiteral("غ"), QStringLiteral("إ")},
        {QStringLiteral("ش"), QStringLiteral("\u0650")}, // kasra
        {QStringLiteral("س"), QStringLiteral("\u064D")}, // kasratan
        {QStringLiteral("ل"), QString(kLamAlefHamzaAboveKey)},
        {QStringLiteral("ا"), QStringLiteral("أ")},
        {QStringLiteral("ء"), QStringLiteral("\u0652")}, // sukun
        {QStringLiteral("ى"), QStringLiteral("آ")},
        {QStringLiteral("ذ"), QStringLiteral("\u0651")}, // shadda
    };
    return shifted;
}

struct Plan
{
    QList<TrainerKey> keys;
    int iFirst = 0;
    std::vector<qint8> index = std::vector<qint8>(0x10000, -1); // by UTF-16 code
};

Plan makePlan(bool arabic)
{
    if (vArabicKeys.isEmpty())
        FillKeyTables();
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    Plan plan;
    QList<bool> taken(table.size(), false);
    const auto add = [&](qsizetype entry) {
        if (entry < 0 || taken.at(entry))
            return;
        taken[entry] = true;
        const QString &label = table.at(entry);
        TrainerKey key{keygrid::positionOfIndex(int(entry), arabic), label, label};
        if (label == QStringLiteral("لا")) {
            key.sLetters = QString(kLamAlefKey) + kLamAlefMaddaKey;
        } else if (arabic) {
            key.sLetters += arabicShifted().value(label);
        } else {
            key.sLabel = label.toLower();
            key.sLetters = key.sLabel;
            if (label != key.sLabel)
                key.sLetters += label;
        }
        plan.keys.append(key);
    };
    for (int lesson = 1; lesson <= 6; ++lesson) {
        const QString letters = LessonLetters(lesson, arabic);
        for (qsizetype i = 0; i < letters.size(); ++i) {
            // Lam and alef together are the lam-alef key.
            if (letters.mid(i, 2) == QStringLiteral("لا")) {
                add(table.indexOf(QStringLiteral("لا")));
                ++i;
            } else {
                add(table.indexOf(letters.mid(i, 1)));
            }
        }
        if (lesson == 1)
            plan.iFirst = int(plan.keys.size());
    }
    for (qsizetype entry = 0; entry < table.size(); ++entry)
        add(entry);
    for (qsizetype k = 0; k < plan.keys.size(); ++k) {
        for (QChar c : plan.keys.at(k).sLetters)
            plan.index[c.unicode()] = qint8(k);
    }
    return plan;
}

const Plan &planOf(bool arabic)
{
    static const std::array<Plan, 2> plans = {makePlan(false), makePlan(true)};
    return plans[arabic ? 1 : 0];
}

} // namespace

const QList<TrainerKey> &trainerKeys(bool arabic)
{
    return planOf(arabic).keys;
}

int firstSetSize(bool arabic)
{
    return planOf(arabic).iFirst;
}

int trainerKeyOf(QChar letter, bool arabic)
{
    return planOf(arabic).index[letter.unicode()];
}

const qint8 *trainerKeyIndex(bool arabic)
{
    return planOf(arabic).index.data();
}
