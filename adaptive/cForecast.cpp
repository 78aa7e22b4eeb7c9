#include "adaptive/cForecast.h"

#include <cmath>
#include <vector>

namespace {

// The pace is read from this much of the latest adaptive practice: a learner's pace changes.
constexpr double kWindowMinutes = 60;
// Further than this is no forecast worth saying (a hundred hours).
constexpr double kLongestMinutes = 6000;

struct Sample
{
    double dMinutes; // adaptive practice so far
    double dProgress;
};

// Minutes as a learner reads an estimate: exact up to ten, then to five, then to ten.
int roundedMinutes(double minutes)
{
    const int step = minutes < 10 ? 1 : minutes < 60 ? 5 : 10;
    return std::max(1, int(std::lround(minutes / step)) * step);
}

} // namespace

Forecast ForecastFor(const QByteArray &history, bool arabic, cKeyModel::Targets targets)
{
    cKeyModel model(arabic, targets);
    std::vector<Sample> samples;
    double minutes = 0;
    cHistory::ForEachRecord(history, [&](const HistoryRecordView &record) {
        model.Fold(record);
        if (record.IsArabic() != arabic || record.Source() != HistoryRecord::Source::Adaptive ||
            record.Speed() <= 0)
            return;
        // A line's time is its letters at its speed, as the class report counts practice time.
        qint64 letters = 0;
        for (int i = 0; i < record.KeyCount(); ++i)
            letters += record.Key(i).iWanted;
        minutes += double(letters) / record.Speed();
        samples.push_back({minutes, model.LayoutProgress()});
    });

    Forecast forecast;
    const double now = model.LayoutProgress();
    if (now >= 1) {
        forecast.bKnown = true;
        return forecast;
    }
    if (minutes < kForecastLeastMinutes || int(samples.size()) < kForecastLeastLines)
        return forecast;

    // The pace: the least-squares slope of progress over practice time in the latest window.
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (auto it = samples.rbegin(); it != samples.rend() && it->dMinutes >= minutes - kWindowMinutes; ++it) {
        n += 1;
        sx += it->dMinutes;
        sy += it->dProgress;
        sxx += it->dMinutes * it->dMinutes;
        sxy += it->dMinutes * it->dProgress;
    }
    const double spread = n * sxx - sx * sx;
    if (n < kForecastLeastLines || spread <= 0)
        return forecast;
    const double pace = (n * sxy - sx * sy) / spread; // progress per minute
    if (pace <= 0)
        return forecast;
    const double remaining = (1 - now) / pace;
    if (remaining > kLongestMinutes)
        return forecast;
    forecast.bKnown = true;
    forecast.iMinutes = roundedMinutes(remaining);
    return forecast;
}

QString ForecastText(const Forecast &f, bool arabic)
{
    if (!f.bKnown)
        return {};
    if (f.iMinutes == 0)
        return arabic ? QStringLiteral("بلغت كل المفاتيح الأهداف")
                      : QStringLiteral("Every key has reached the targets");
    if (!arabic) {
        return f.iMinutes == 1
                   ? QStringLiteral("At this pace: about 1 more minute of practice")
                   : QStringLiteral("At this pace: about %1 more minutes of practice").arg(f.iMinutes);
    }
    // Arabic counts two as a dual and three to ten with the plural.
    QString amount;
    if (f.iMinutes == 1)
        amount = QStringLiteral("دقيقة أخرى");
    else if (f.iMinutes == 2)
        amount = QStringLiteral("دقيقتين أخريين");
    else if (f.iMinutes <= 10)
        amount = QStringLiteral("%1 دقائق أخرى").arg(f.iMinutes);
    else
        amount = QStringLiteral("%1 دقيقة أخرى").arg(f.iMinutes);
    return QStringLiteral("بهذه الوتيرة: نحو %1 من التدريب").arg(amount);
}
