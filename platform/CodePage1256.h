#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The Arabic ANSI code page (windows-1256) in which profiles keep their text bytes.
QByteArray toCodePage1256(const QString &text);
QString fromCodePage1256(const QByteArray &bytes);

// True when every character of `text` has a code in the page, so it survives a round trip.
bool fitsCodePage1256(const QString &text);

} // namespace platform
