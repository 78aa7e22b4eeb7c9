#pragma once

#include <QString>
#include <QStringList>

namespace e2e {

// The US letters, which the Arabic desktop lacks: they are sent by name on spare keys.
const QStringList &usLetters();

// The keys that type `text` in a layout, as xdotool key names: a letter key by its US letter
// ("shift+h" for أ), any other key by its keycode, since the Arabic desktop puts the US punctuation
// on other keys.
QStringList keysFor(const QString &text, const QString &layout);

// A new learner's profile at `path` (targets 30 words per minute, 90 %) training in `language`
// ('A' Arabic, 'E' English).
bool createLearner(const QString &path, char language);

} // namespace e2e
