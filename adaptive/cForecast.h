#pragma once

#include "adaptive/cKeyModel.h"

#include <QByteArray>
#include <QString>

// How much more adaptive practice, at the learner's pace so far, brings every key of the layout to
// the targets. docs/adaptive-trainer.md gives the method.
struct Forecast
{
    bool bKnown = false; // false while the history of the adaptive practice is too short to tell
    int iMinutes = 0;    // 0 once every key has reached the targets
};

// Least adaptive practice a forecast stands on, in minutes and lines.
inline constexpr double kForecastLeastMinutes = 10;
inline constexpr int kForecastLeastLines = 20;

Forecast ForecastFor(const QByteArray &history, bool arabic, cKeyModel::Targets targets);

// "بهذه الوتيرة: نحو N دقيقة أخرى من التدريب", or in English "At this pace: about N more minutes
// of practice"; "" when not known.
QString ForecastText(const Forecast &f, bool arabic = true);
