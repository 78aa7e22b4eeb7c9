#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;

namespace e2e {

class XServer;

// The US letters, which the Arabic desktop lacks: they are sent by name on spare keys.
const QStringList &usLetters();

// The keys that type `text` in a layout, as xdotool key names: a letter key by its US letter
// ("shift+h" for أ), any other key by its keycode, since the Arabic desktop puts the US punctuation
// on other keys.
QStringList keysFor(const QString &text, const QString &layout);

// A new learner's profile at `path` (targets 30 words per minute, 90 %) training in `language`
// ('A' Arabic, 'E' English).
bool createLearner(const QString &path, char language);

// The text of a lesson test (`block`: the lesson's block of lines) as a tutor started with
// KZ_RANDOM_SEED=`seed` draws its first test: the tutor's generator, fresh from the seed.
QString firstTestText(int block, const char *seed);

// Where to click `widget`: its centre in the coordinates of `window`, a twin of the tutor's window
// laid out in the test.
QPoint centreIn(QWidget *widget, QWidget *window);

// The window as the X server shows it, when ImageMagick's import is at hand (else a null image).
QImage grabWindow(const XServer &x, const QString &windowId);

// Whether two colours differ by at most `tolerance` in each of red, green and blue (a grabbed
// window's pixels are the drawn colours within rounding).
bool near(const QColor &a, const QColor &b, int tolerance);

} // namespace e2e
