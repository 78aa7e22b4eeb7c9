#pragma once

#include "users/cHistory.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A key of the keyboard tables with its counts over a history.
struct KeyStat
{
    QString sKey;
    qint64 iWanted = 0;
    qint64 iMissed = 0;
    double Rate() const { return iWanted > 0 ? double(iMissed) / double(iWanted) : 0.0; }
};

// What the progress screen shows of one language's history.
struct HistorySummary
{
    struct TestPoint
    {
        qint64 iTime;  // milliseconds since 1970, UTC
        qint16 iSpeed; // letters per minute, or the learner's unit once made a chart point
        qint16 iAccuracy;
    };
    QList<TestPoint> tests; // in the order they were taken
    int iLines = 0;         // practice lines
    bool IsEmpty() const { return tests.isEmpty() && iLines == 0; }

    // How often character `c` was wanted, and missed, over the history.
    qint64 Wanted(QChar c) const { return Counts(c).first; }
    qint64 Missed(QChar c) const { return Counts(c).second; }
    void Count(QChar c, qint64 iWanted, qint64 iMissed);

    // The counts folded onto the entries of a keyboard table (one character each; letters without
    // regard to case), in table order. A lam-alef pair counts for the entry of the key that types it.
    QList<KeyStat> KeyStats(const QStringList &table) const;

private:
    std::pair<qint64, qint64> Counts(QChar c) const;

    // The alphabets' characters (Latin, Arabic) counted in place, wanted and missed side by side;
    // the few above them (the lam-alef keys) in a table, so a summary never clears 65 536 counters.
    static constexpr char16_t kDirect = 0x800;
    QList<qint64> m_direct = QList<qint64>(2 * kDirect, 0);
    QHash<char16_t, std::pair<qint64, qint64>> m_others;
};

// What the progress screen makes of a history.
class cHistoryStats
{
public:
    // The summary of one language, straight from the file's bytes.
    static HistorySummary Summarise(const QByteArray &bytes, bool arabic);

    // The weakest of the keys with at least one miss: highest miss rate first, then most misses,
    // then table order; at most `count`.
    static QList<KeyStat> WeakestKeys(const QList<KeyStat> &stats, int count = 5);

    // The tests as the chart draws them: speeds in the learner's unit (words are five letters,
    // truncated), oldest first.
    static QList<HistorySummary::TestPoint> ChartPoints(const HistorySummary &summary, bool wordsPerMinute);
};
