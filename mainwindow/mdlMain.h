#pragma once

class QApplication;

// Direction, fonts and Qt's own Arabic texts for the whole application.
void SetUpApplication(QApplication &application);

// Makes the application-wide objects (services, user, lesson controller, history recorder) afresh
// and wires them to one another and to the windows: the one place where they meet. Main calls it
// once; tests call it to start clean.
void MakeApplicationObjects();

// Shows the user selection; a login there brings up the main window.
void ShowUserSelection();

// The tutor's start: checks the prerequisite library, shows the user selection and fills the keyboard
// tables. Returns false when the tutor cannot run and has ended.
bool Main();

// Ends the tutor as its exit item does; SIGTERM, SIGINT and SIGHUP come here.
void EndInOrder();
