#pragma once

#include <QString>
#include <QStringList>

namespace e2e {

// The physical keys that type `text` in a layout, as xdotool key names ("shift+h" for أ).
QStringList keysFor(const QString &text, const QString &layout);

} // namespace e2e
