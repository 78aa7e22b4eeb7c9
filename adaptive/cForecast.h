#pragma once
// STAND-IN (not to land): the contract's interface, until helper A's version is on main.
#include "adaptive/cKeyModel.h"

struct Forecast
{
    bool bKnown = false;
    int iMinutes = 0;
};
Forecast ForecastFor(const QByteArray &history, bool arabic, cKeyModel::Targets targets);
QString ForecastText(const Forecast &f);
