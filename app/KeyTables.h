#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>

// The keyboard tables every keyboard picture is labelled from, and the grid of key positions shared
// by both languages: 0-11 the top letter row (Q to ]), 12-22 the home row (A to '), 23-32 the bottom
// row (Z to /), 33 the key left of 1, -1 the space bar.

extern QStringList vArabicKeys;  // 34 entries; entry 27 is the two letters lam-alef
extern QStringList vEnglishKeys; // 29 entries; no [ ] ' / nor the key left of 1

void FillKeyTables();

namespace keygrid {

constexpr int kSpaceBar = -1;
constexpr int kKeyLeftOfOne = 33;
// The digit row's keys 1 to = are positions kDigitRow + 1 to kDigitRow + 12.
constexpr int kDigitRow = 40;
// No key at all.
constexpr int kNoKey = -2;

// The finger's name as a learner reads it, in Arabic.
QString FingerName(int finger);
// True for the fingers of the left hand.
inline bool isLeftHand(int finger)
{
    return finger >= 0 && finger <= 3;
}

struct KeyLabel
{
    QString text;
    QPoint at; // where the label is printed (top left of its text)
};

// The labels of one language's keys at their places on a keyboard picture.
QList<KeyLabel> labels(bool arabic);

// The grid position of a table index (English indices skip the keys the table has no entry for).
int positionOfIndex(int index, bool arabic);

// The grid position a highlight request names: a number is the position itself, a letter is looked
// up (without regard to case) in the language's table; a letter found nowhere gives position 0.
int positionOf(const QVariant &letter, bool arabic);

// The outline drawn around the key at a grid position (the digit row's too), corners inclusive.
QRect keyBox(int position);

// The key position of the digit row, 0 = the key left of 1, 1-12 = the keys 1 to =.
QRect digitRowBox(int index);

// The finger that types a key: 0 left little ... 3 left index, 4 right index ... 7 right little,
// 8 a thumb (the space bar), the digit row's too (kDigitRow + 1-12); -1 for a position off the grid.
int fingerOf(int position);
// The finger of a digit-row key, 0 = the key left of 1, 1-12 = the keys 1 to =.
int fingerOfDigit(int index);

} // namespace keygrid
