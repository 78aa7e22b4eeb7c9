// STAND-IN (not to land).
#include "adaptive/cForecast.h"

Forecast ForecastFor(const QByteArray &history, bool arabic, cKeyModel::Targets)
{
    int lines = 0;
    for (const HistoryRecord &r : cHistory::Decode(history))
        lines += r.bArabic == arabic && r.source == HistoryRecord::Source::Adaptive;
    if (lines < 3)
        return {};
    return {true, 120 - lines};
}

QString ForecastText(const Forecast &f)
{
    if (!f.bKnown)
        return {};
    return QStringLiteral("بهذه الوتيرة: نحو %1 دقيقة أخرى من التدريب").arg(f.iMinutes);
}
