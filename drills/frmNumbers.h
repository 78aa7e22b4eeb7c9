#pragma once

#include "typing/cPractice.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// A practice of 50 random lines of digit groups, each longer than 30 characters.
cPractice MakeNumberPractice();

// The number drill: a picture of the numeric keypad and a button that practises digits. The practice
// runs in English, so the learner's language reads English from the first practice until the window
// is unloaded; the profile is never written for it. The window is never shown; the main menu moves
// picSettings into the main window.
class frmNumbers : public QWidget
{
    Q_OBJECT
public:
    frmNumbers();

    void Form_Unload();
    void cmdPractice_Click();

    QWidget *picSettings = nullptr;
    QLabel *lblTitle = nullptr;
    QWidget *picKeyboard = nullptr;
    std::array<QLabel *, 1> lblLesson{};
    QPushButton *cmdPractice = nullptr;
};
