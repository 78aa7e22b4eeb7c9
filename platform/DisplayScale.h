#pragma once

#include <QSize>
#include <QString>

#include <array>
#include <functional>

// The scale both programs draw at: a machine-wide display preference kept in the desktop's settings
// folder (XDG config), never in a learner's profile. Qt's own high-DPI scaling does the drawing; its
// factor has to be in place before the application object is made, so a change is applied by
// starting the program again in the same process.
namespace platform {

// The steps the learner can choose, in percent.
inline constexpr std::array<int, 5> kScaleSteps{100, 125, 150, 175, 200};
// The setting "fit": the largest step at which the window fits the screen.
inline constexpr int kScaleFit = 0;

// The largest step at which `window` (at 100 %, without the desktop's frame) fits in 85 % of the
// screen's `available` area (in the desktop's own pixels); 100 when none does.
int fitScale(QSize available, QSize window);

// The learner's choice: kScaleFit or one of kScaleSteps.
int scaleSetting();
void setScaleSetting(int percent);

// The percent a setting gives for `window` here: a step is itself, "fit" follows the screen area
// the last start measured (100 before any start has).
int scaleFor(int setting, QSize window);

// The step after `percent` in `direction` (+1 larger, -1 smaller), staying within the steps.
int nextScaleStep(int percent, int direction);

// Before the application object: puts the chosen scale into QT_SCALE_FACTOR. An environment that
// already sets it decides alone (scripts and tests pin 100 % that way). "fit" takes the screen area
// that the last start measured.
void applyScaleBeforeStart(QSize window);

// After the application object, with the area of the screen the window opens on (in Qt's pixels at
// the applied scale): remembers the area for the next start and, where "fit" asks for another step
// than the one applied, starts the program again at once. Qt has read QT_SCALE_FACTOR by now, so it
// is taken out of the environment again: programs started from here choose their own.
void settleScaleAfterStart(QSize window, QSize available);

// The percent Qt draws at now, and whether the environment decided it.
int appliedScale();
bool scaleFromEnvironment();

// Starts the running program again in this process, with the same arguments: what was applied by
// applyScaleBeforeStart is applied afresh. Returns only if that failed (or a test took the call).
void restartProgram();
void setRestartProgramForTesting(std::function<void()> restarter);

} // namespace platform
