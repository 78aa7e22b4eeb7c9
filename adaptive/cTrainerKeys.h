#pragma once
// STAND-IN (not to land): the contract's interface, until helper A's version is on main.
#include <QChar>
#include <QList>
#include <QString>

struct TrainerKey
{
    int iPosition;
    QString sLabel;
    QString sLetters;
};
const QList<TrainerKey> &trainerKeys(bool arabic);
int firstSetSize(bool arabic);
int trainerKeyOf(QChar letter, bool arabic);
