#pragma once

#include "users/cHistory.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

// How well the learner types each key of the training layout, from the history: per key an
// exponentially smoothed time per hit and miss rate, the keys the adaptive practice trains (the set,
// grown in the lesson plan's order) and the key it trains most (the focus). docs/adaptive-trainer.md
// gives the method.
class cKeyModel
{
public:
    struct Targets
    {
        int iSpeed = 0;    // letters per minute
        int iAccuracy = 0; // percent
    };
    struct KeyState
    {
        bool bIncluded = false;
        bool bLearned = false;
        double dMsPerHit = -1; // smoothed; -1 while never timed
        double dMissRate = -1; // smoothed, 0..1; -1 while never typed
        int iHits = 0;         // timed hits folded
        double dProgress = 0;  // 0 = far, 1 = both targets reached (the lesser of speed and accuracy)
    };

    // How much one more hit or letter of a key weighs in its smoothed time and miss rate; the older
    // ones fade by the rest. Misses are rarer events than times are noisy: they are smoothed longer.
    static constexpr double kTimeSmoothing = 0.06;
    static constexpr double kMissSmoothing = 0.03;
    // A key is learned only once this many of its hits were timed: a lucky line is no skill.
    static constexpr int kLeastHits = 20;

    cKeyModel(bool arabic, Targets targets);

    // What the learner chose (kept by the screen as cUser preferences, never in the profile): how many
    // keys were let join ahead of the plan (on top of those the learned set brought in), and per key
    // (index of trainerKeys) the time (ms since 1970) before which its history is ignored. A reset key
    // keeps the set as it grew meanwhile; from its reset on it has to be learned again for the set
    // to grow further. Takes effect with the next FoldHistory.
    void SetChoices(int iJoinedEarly, const QHash<int, qint64> &resets);
    // Starts over from no history and folds every record of the language, in order.
    void FoldHistory(const QByteArray &historyBytes);
    // Folds one more record (ignored if of the other language).
    void Fold(const HistoryRecord &record);
    void Fold(const HistoryRecordView &record);

    const QList<KeyState> &States() const { return m_states; }
    int IncludedCount() const;
    // The included key furthest from its targets; index of trainerKeys.
    int Focus() const;
    // Every character the included keys count for.
    QString AllowedLetters() const;
    // The focus key's characters.
    QString FocusLetters() const;
    // How near every key of the layout, included or not, stands to the targets, on the average: each
    // key's progress without regard to how few its hits are (a forecast's measure, where a key
    // typed more is no nearer the targets for that alone); 1 once all are learned.
    double LayoutProgress() const;

    bool IsArabic() const { return m_arabic; }

private:
    // One key's exponentially weighted sums: value = sum / weight, so the first letters count fully
    // and later ones take over as they come.
    struct Smoothed
    {
        double dSum = 0;
        double dWeight = 0;
        void Add(double value, qint64 count, const double *decays);
        double Value() const { return dWeight > 0 ? dSum / dWeight : -1; }
    };
    // What is known of one key.
    struct Evidence
    {
        Smoothed time;
        Smoothed miss;
        int iHits = 0;
    };
    // One record's counts of a key, gathered before they are smoothed in once.
    struct Gathered
    {
        qint64 iWanted = 0;
        qint64 iMissed = 0;
        qint64 iTimeMs = 0;
        qint64 iTimed = 0;
    };

    // Adds a record to the evidence and grows the set; leaves the keys it touched in m_touched.
    template <typename Record> void FoldRecord(const Record &record);
    void RefreshTouched();
    void Refresh(int key);
    bool IsLearned(const Evidence &evidence) const;
    void Reset();
    void Add(Evidence &evidence, const Gathered &counts) const;
    // The key's state, and in `reach` its progress without regard to how few its hits are.
    KeyState StateOf(const Evidence &evidence, double *reach = nullptr) const;
    // Lets the next keys of the plan join while every key of the set is learned (as it stood at `time`).
    void Grow(qint64 time);

    bool m_arabic;
    const qint8 *m_keyOf; // trainerKeyIndex
    Targets m_targets;
    double m_dTargetMs;      // the target speed as a time per hit
    double m_dAllowedMisses; // the target accuracy as a miss rate
    int m_joinedEarly = 0;
    int m_earned = 0; // keys the set holds by the plan: lesson 1's, then one per learned set
    std::vector<qint64> m_resetBefore;
    QList<KeyState> m_states;
    std::vector<Evidence> m_evidence;
    // A reset key's history before its reset, which still lets the set grow as it did then.
    std::vector<Evidence> m_before;
    std::vector<char> m_learnedBefore;
    std::vector<char> m_learned;
    std::vector<double> m_reach;
    std::vector<Gathered> m_gathered;
    std::vector<int> m_touched;
};
