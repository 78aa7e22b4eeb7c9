#pragma once

#include "typing/cPractice.h"

#include <QWidget>

#include <optional>

// The practice panel of the main window (picPractice): runs a cPractice line by line on its typing
// pad, with the last line's speed and accuracy, a progress bar and the run's messages.
class PracticePanel : public QWidget
{
    Q_OBJECT
public:
    explicit PracticePanel(QWidget *parent = nullptr);

    std::optional<cPractice> CurrentPractice;

    // Sets the panel up for CurrentPractice and starts it.
    void StartPractice();
    // Ends the run: hides the panel and lets the practice go.
    void EndPractice();
};
