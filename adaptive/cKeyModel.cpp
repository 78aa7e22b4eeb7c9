// STAND-IN (not to land).
#include "adaptive/cKeyModel.h"

#include "adaptive/cTrainerKeys.h"

#include <algorithm>

cKeyModel::cKeyModel(bool arabic, Targets targets) : m_arabic(arabic), m_targets(targets)
{
    m_states.resize(trainerKeys(arabic).size());
    m_included = firstSetSize(arabic);
    Update();
}

void cKeyModel::SetChoices(int iJoinedEarly, const QHash<int, qint64> &resets)
{
    m_joined = iJoinedEarly;
    m_resets = resets;
    for (auto it = resets.begin(); it != resets.end(); ++it)
        if (it.key() >= 0 && it.key() < m_states.size())
            m_states[it.key()] = KeyState();
    Update();
}

void cKeyModel::FoldHistory(const QByteArray &historyBytes)
{
    for (const HistoryRecord &r : cHistory::Decode(historyBytes))
        Fold(r);
}

void cKeyModel::Fold(const HistoryRecord &record)
{
    if (record.bArabic != m_arabic)
        return;
    for (const HistoryRecord::KeyCount &k : record.keys) {
        const int i = trainerKeyOf(k.cKey, m_arabic);
        if (i < 0 || record.iTime < m_resets.value(i, 0))
            continue;
        KeyState &s = m_states[i];
        const double miss = k.iWanted ? double(k.iMissed) / k.iWanted : 0;
        s.dMissRate = s.dMissRate < 0 ? miss : 0.7 * s.dMissRate + 0.3 * miss;
        if (k.iTimed > 0) {
            const double ms = double(k.iTimeMs) / k.iTimed;
            s.dMsPerHit = s.dMsPerHit < 0 ? ms : 0.7 * s.dMsPerHit + 0.3 * ms;
            s.iHits += k.iTimed;
        }
    }
    Update();
}

void cKeyModel::Update()
{
    for (KeyState &s : m_states) {
        const double speed = s.dMsPerHit > 0 ? 60000.0 / s.dMsPerHit : 0;
        const double sp = m_targets.iSpeed > 0 ? std::min(1.0, speed / m_targets.iSpeed) : 1;
        const double acc = s.dMissRate < 0 ? 0 : std::min(1.0, (1 - s.dMissRate) * 100 / std::max(1, m_targets.iAccuracy));
        s.dProgress = std::min(sp, acc);
        s.bLearned = s.dProgress >= 1;
    }
    while (m_included < m_states.size() &&
           std::all_of(m_states.begin(), m_states.begin() + m_included, [](const KeyState &s) { return s.bLearned; }))
        ++m_included;
    const int count = IncludedCount();
    for (int i = 0; i < m_states.size(); ++i)
        m_states[i].bIncluded = i < count;
}

int cKeyModel::IncludedCount() const
{
    return std::min<int>(m_states.size(), m_included + m_joined);
}

int cKeyModel::Focus() const
{
    int best = 0;
    for (int i = 0; i < IncludedCount(); ++i)
        if (m_states[i].dProgress < m_states[best].dProgress)
            best = i;
    return best;
}

QString cKeyModel::AllowedLetters() const
{
    QString s;
    for (int i = 0; i < IncludedCount(); ++i)
        s += trainerKeys(m_arabic).at(i).sLetters;
    return s;
}

QString cKeyModel::FocusLetters() const
{
    return trainerKeys(m_arabic).at(Focus()).sLetters;
}
