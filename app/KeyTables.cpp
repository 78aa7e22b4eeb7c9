#include "app/KeyTables.h"

QStringList vArabicKeys;
QStringList vEnglishKeys;

void FillKeyTables()
{
    vArabicKeys = {
        // top letter row, keys Q to ]
        QStringLiteral("ض"),
        QStringLiteral("ص"),
        QStringLiteral("ث"),
        QStringLiteral("ق"),
        QStringLiteral("ف"),
        QStringLiteral("غ"),
        QStringLiteral("ع"),
        QStringLiteral("ه"),
        QStringLiteral("خ"),
        QStringLiteral("ح"),
        QStringLiteral("ج"),
        QStringLiteral("د"),
        // home row, keys A to '
        QStringLiteral("ش"),
        QStringLiteral("س"),
        QStringLiteral("ي"),
        QStringLiteral("ب"),
        QStringLiteral("ل"),
        QStringLiteral("ا"),
        QStringLiteral("ت"),
        QStringLiteral("ن"),
        QStringLiteral("م"),
        QStringLiteral("ك"),
        QStringLiteral("ط"),
        // bottom row, keys Z to /
        QStringLiteral("ئ"),
        QStringLiteral("ء"),
        QStringLiteral("ؤ"),
        QStringLiteral("ر"),
        QStringLiteral("لا"),
        QStringLiteral("ى"),
        QStringLiteral("ة"),
        QStringLiteral("و"),
        QStringLiteral("ز"),
        QStringLiteral("ظ"),
        // the key left of 1
        QStringLiteral("ذ"),
    };
    vEnglishKeys = {
        QStringLiteral("Q"), QStringLiteral("W"), QStringLiteral("E"), QStringLiteral("R"),
        QStringLiteral("T"), QStringLiteral("Y"), QStringLiteral("U"), QStringLiteral("I"),
        QStringLiteral("O"), QStringLiteral("P"), QStringLiteral("A"), QStringLiteral("S"),
        QStringLiteral("D"), QStringLiteral("F"), QStringLiteral("G"), QStringLiteral("H"),
        QStringLiteral("J"), QStringLiteral("K"), QStringLiteral("L"), QStringLiteral(";"),
        QStringLiteral("Z"), QStringLiteral("X"), QStringLiteral("C"), QStringLiteral("V"),
        QStringLiteral("B"), QStringLiteral("N"), QStringLiteral("M"), QStringLiteral(","),
        QStringLiteral("."),
    };
}

namespace keygrid {

QList<KeyLabel> labels(bool arabic)
{
    QList<KeyLabel> result;
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    int last = 29;
    int rowOffset = -2;
    if (arabic) {
        result.append({table.value(kKeyLeftOfOne), QPoint(15, 10)});
        last = 33;
        rowOffset = 0;
    }
    // Labels step 30 to 34 px along a row; rows are 12, 11 and 10 keys (Arabic) or 10, 10 and 9.
    int x = 60;
    int y = 40;
    for (int i = 1; i <= last; ++i) {
        result.append({table.value(i - 1), QPoint(x, y)});
        x += 30 + i % 5;
        if (i % (rowOffset + 12) == 0) {
            y += 30;
            x = 75;
            rowOffset += arabic ? 11 : 10;
            if (i > 13) {
                x = 95;
                y += 5;
                rowOffset = 1000;
            }
        }
    }
    return result;
}

int positionOfIndex(int index, bool arabic)
{
    if (arabic || index < 10)
        return index;
    return index < 20 ? index + 2 : index + 3;
}

int positionOf(const QVariant &letter, bool arabic)
{
    bool numeric = false;
    const int number = letter.toString().trimmed().toInt(&numeric);
    if (numeric)
        return number;
    const QString text = letter.toString();
    // The key left of 1 carries "ذ" whatever the training language.
    if (text == QStringLiteral("ذ"))
        return kKeyLeftOfOne;
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return positionOfIndex(i, arabic);
    }
    return 0;
}

QString FingerName(int finger)
{
    static const QStringList kNames = {
        QStringLiteral("الخنصر الأيسر"),  QStringLiteral("البنصر الأيسر"),  QStringLiteral("الوسطى اليسرى"),
        QStringLiteral("السبابة اليسرى"), QStringLiteral("السبابة اليمنى"), QStringLiteral("الوسطى اليمنى"),
        QStringLiteral("البنصر الأيمن"),  QStringLiteral("الخنصر الأيمن"),  QStringLiteral("الإبهام"),
    };
    return finger >= 0 && finger < kNames.size() ? kNames.at(finger) : QString();
}

QRect keyBox(int position)
{
    if (position > kDigitRow && position <= kDigitRow + 12)
        return digitRowBox(position - kDigitRow);
    if (position == kSpaceBar)
        return QRect(QPoint(130, 128), QPoint(352, 160));
    if (position >= kKeyLeftOfOne)
        return QRect(QPoint(4, 3), QPoint(33, 32));
    int x = 58;
    int y = 40;
    int rowOffset = 0;
    for (int j = 1; j <= position; ++j) {
        x += 30 + j % 5;
        if (j % (rowOffset + 12) == 0) {
            y += 30;
            x = 73;
            rowOffset += 11;
            if (j > 13) {
                x = 92;
                y += 5;
                rowOffset = 1000;
            }
        }
    }
    return QRect(QPoint(x - 9, y - 7), QPoint(x + 20, y + 22));
}

QRect digitRowBox(int index)
{
    // The digit row continues the key left of 1 at the average pitch of the letter rows.
    const int left = 4 + qRound(index * 31.6);
    return QRect(QPoint(left, 3), QPoint(left + 29, 32));
}

int fingerOf(int position)
{
    static constexpr int kTop[12] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7, 7, 7};
    static constexpr int kHome[11] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7, 7};
    static constexpr int kBottom[10] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7};
    if (position == kSpaceBar)
        return 8;
    if (position > kDigitRow && position <= kDigitRow + 12)
        return fingerOfDigit(position - kDigitRow);
    if (position < 0 || position > kKeyLeftOfOne)
        return -1;
    if (position < 12)
        return kTop[position];
    if (position < 23)
        return kHome[position - 12];
    if (position < 33)
        return kBottom[position - 23];
    return 0; // the key left of 1
}

int fingerOfDigit(int index)
{
    static constexpr int kDigits[13] = {0, 0, 1, 2, 3, 3, 4, 4, 5, 6, 7, 7, 7};
    return index >= 0 && index < 13 ? kDigits[index] : -1;
}

} // namespace keygrid
