#pragma once

#include <QString>

class QApplication;

namespace platform {

// What an Arabic desktop program expects of the system: right-to-left direction, a face with Arabic
// glyphs for the interface (the faces shipped beside the program stand in for those the desktop
// lacks), Qt's own texts (نعم / لا) in Arabic, and Enter pressing the focused button.
void setUpArabicApplication(QApplication &application, const QString &name);

} // namespace platform
