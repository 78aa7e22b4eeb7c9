#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One key of the training layout as the adaptive practice trains it.
struct TrainerKey
{
    int iPosition;    // keygrid position (app/KeyTables.h)
    QString sLabel;   // what the picture and the screen show: the unshifted letter, "لا" for lam-alef
    QString sLetters; // every character this key counts for: the unshifted letter first, then what
                      // the key types shifted that words hold (hamza and madda forms, harakat, the
                      // lam-alef ligatures of cHistory.h, the capital of an English letter)
};

// The keys of the training layout in the lesson plan's order: lesson 1's keys, then each later
// lesson's new keys, then the layout's letters no lesson brings (ذ).
const QList<TrainerKey> &trainerKeys(bool arabic);
// How many keys lesson 1 brings.
int firstSetSize(bool arabic);
// Index in trainerKeys of the key a character counts for, -1 for none.
int trainerKeyOf(QChar letter, bool arabic);
// The same for every UTF-16 code at once (65 536 entries), for folds of many records.
const qint8 *trainerKeyIndex(bool arabic);
