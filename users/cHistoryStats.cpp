#include "users/cHistoryStats.h"

#include <algorithm>

namespace {

constexpr QChar kLamAlefs[] = {kLamAlefKey, kLamAlefMaddaKey, kLamAlefHamzaAboveKey, kLamAlefHamzaBelowKey};

} // namespace

QList<KeyStat> HistorySummary::KeyStats(const QStringList &table) const
{
    QList<KeyStat> stats;
    for (const QString &entry : table) {
        KeyStat stat{entry, 0, 0};
        QList<QChar> forms;
        if (entry.size() == 1) {
            forms.append(entry.at(0));
            if (entry.at(0).toLower() != entry.at(0))
                forms.append(entry.at(0).toLower());
        }
        for (QChar ligature : kLamAlefs) {
            if (HistoryRecord::TableEntryOfLamAlef(ligature) == entry)
                forms.append(ligature);
        }
        for (QChar c : forms) {
            stat.iWanted += Wanted(c);
            stat.iMissed += Missed(c);
        }
        stats.append(stat);
    }
    return stats;
}

std::pair<qint64, qint64> HistorySummary::Counts(QChar c) const
{
    if (c.unicode() < kDirect)
        return {m_direct.at(2 * c.unicode()), m_direct.at(2 * c.unicode() + 1)};
    return m_others.value(c.unicode());
}

void HistorySummary::Count(QChar c, qint64 iWanted, qint64 iMissed)
{
    if (c.unicode() < kDirect) {
        qint64 *counts = m_direct.data() + 2 * c.unicode();
        counts[0] += iWanted;
        counts[1] += iMissed;
    } else {
        std::pair<qint64, qint64> &counts = m_others[c.unicode()];
        counts.first += iWanted;
        counts.second += iMissed;
    }
}

HistorySummary cHistoryStats::Summarise(const QByteArray &bytes, bool arabic)
{
    HistorySummary summary;
    cHistory::ForEachRecord(bytes, [&](const HistoryRecordView &record) {
        if (record.IsArabic() != arabic)
            return;
        if (record.Kind() == HistoryRecord::Kind::Test)
            summary.tests.append({record.Time(), record.Speed(), record.Accuracy()});
        else
            ++summary.iLines;
        for (int i = 0; i < record.KeyCount(); ++i) {
            const HistoryRecord::KeyCount key = record.Key(i);
            summary.Count(key.cKey, key.iWanted, key.iMissed);
        }
    });
    return summary;
}

QList<KeyStat> cHistoryStats::WeakestKeys(const QList<KeyStat> &stats, int count)
{
    QList<qsizetype> order;
    for (qsizetype i = 0; i < stats.size(); ++i) {
        if (stats.at(i).iMissed > 0)
            order.append(i);
    }
    std::stable_sort(order.begin(), order.end(), [&stats](qsizetype a, qsizetype b) {
        const KeyStat &x = stats.at(a);
        const KeyStat &y = stats.at(b);
        // Compare missed/wanted exactly, by cross-multiplying.
        const double lhs = double(x.iMissed) * double(y.iWanted);
        const double rhs = double(y.iMissed) * double(x.iWanted);
        if (lhs != rhs)
            return lhs > rhs;
        return x.iMissed > y.iMissed;
    });
    QList<KeyStat> weakest;
    for (qsizetype i = 0; i < order.size() && i < count; ++i)
        weakest.append(stats.at(order.at(i)));
    return weakest;
}

QList<HistorySummary::TestPoint> cHistoryStats::ChartPoints(const HistorySummary &summary,
                                                            bool wordsPerMinute)
{
    QList<HistorySummary::TestPoint> points;
    points.reserve(summary.tests.size());
    for (const HistorySummary::TestPoint &test : summary.tests)
        points.append({test.iTime, wordsPerMinute ? qint16(test.iSpeed / 5) : test.iSpeed, test.iAccuracy});
    return points;
}
