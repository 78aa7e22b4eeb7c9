#pragma once
// STAND-IN (not to land): the contract's interface, until helper A's version is on main.
#include "users/cHistory.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class cKeyModel
{
public:
    struct Targets
    {
        int iSpeed = 0;
        int iAccuracy = 0;
    };
    struct KeyState
    {
        bool bIncluded = false;
        bool bLearned = false;
        double dMsPerHit = -1;
        double dMissRate = -1;
        int iHits = 0;
        double dProgress = 0;
    };
    cKeyModel(bool arabic, Targets targets);
    void SetChoices(int iJoinedEarly, const QHash<int, qint64> &resets);
    void FoldHistory(const QByteArray &historyBytes);
    void Fold(const HistoryRecord &record);
    const QList<KeyState> &States() const { return m_states; }
    int IncludedCount() const;
    int Focus() const;
    QString AllowedLetters() const;
    QString FocusLetters() const;

private:
    void Update();
    bool m_arabic;
    Targets m_targets;
    int m_joined = 0;
    QHash<int, qint64> m_resets;
    QList<KeyState> m_states;
    int m_included = 0;
};
