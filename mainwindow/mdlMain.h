#pragma once

class QApplication;

// Direction, fonts and Qt's own Arabic texts for the whole application.
void SetUpApplication(QApplication &application);

// Shows the user selection; a login there brings up the main window.
void ShowUserSelection();

// The tutor's start: checks the prerequisite library, shows the user selection and fills the keyboard
// tables. Returns false when the tutor cannot run and has ended.
bool Main();
