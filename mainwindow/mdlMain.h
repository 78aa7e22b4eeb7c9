#pragma once

class QApplication;

// Direction, fonts and Qt's own Arabic texts for the whole application.
void SetUpApplication(QApplication &application);

// Makes the application-wide objects (services, user, lesson controller, history recorder) afresh
// and wires them to one another and to the windows: the one place where they meet. Main calls it
// once; tests call it to start clean.
void MakeApplicationObjects();

// Shows the user selection; a login there brings up the main window. A tutor started again where
// it stood (a new display scale) selects its learner and logs in at once when the profile has no
// password, then opens the section it left.
void ShowUserSelection();

// The learner's new display scale (platform::kScaleFit or a step): kept for the machine, and drawn
// at once by starting the tutor again where it stands. Not while a practice line is typed, which a
// new start would lose; an environment that sets the scale keeps it.
void ChangeDisplayScale(int iPercent);

// The tutor's start: checks the prerequisite library, shows the user selection and fills the keyboard
// tables. Returns false when the tutor cannot run and has ended.
bool Main();

// Ends the tutor as its exit item does; SIGTERM, SIGINT and SIGHUP come here.
void EndInOrder();
