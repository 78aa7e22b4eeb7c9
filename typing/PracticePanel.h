#pragma once

#include "typing/cPractice.h"
#include "typing/cPracticeRun.h"

#include <QWidget>

#include <array>
#include <optional>

class NextKeyPanel;
class QLabel;
class QPushButton;
class TypingPad;

// The practice panel of the main window (picPractice): runs a cPractice line by line on its typing
// pad, with the last line's speed and accuracy, a progress bar and the run's messages.
class PracticePanel : public QWidget
{
    Q_OBJECT
public:
    explicit PracticePanel(QWidget *parent = nullptr);
    ~PracticePanel() override;

    std::optional<cPractice> CurrentPractice;

    // The practice runner: shows `practice` on the typing host's panel and starts it.
    static void RunOnHost(const cPractice &practice);

    // Sets the panel up for CurrentPractice and starts it.
    void StartPractice();
    // Ends the run: hides the panel and lets the practice go.
    void EndPractice();

    QLabel *lblSubTitle = nullptr;
    QLabel *lblPTitle = nullptr;
    std::array<QLabel *, 7> lblData{};
    QLabel *picEl = nullptr; // the progress bar, a 218 x 17 picture
    ::TypingPad *TypingPad = nullptr;
    QWidget *picMessage = nullptr;
    QLabel *lblMsg = nullptr;
    QPushButton *cmdOK = nullptr;
    // The keyboard with the next key, under the rows, where the run shows it.
    NextKeyPanel *picKeys = nullptr;

    // Where the run stands: line and message numbers.
    const cPracticeRun &Run() const { return m_run; }

public slots:
    void cmdOK_Click();
    void TypingPad_FinishSession();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void App_FocusChanged(QWidget *old, QWidget *now);

private:
    void Go(cPracticeRun::Step step);
    void NextStep();
    void ShowMessage(qint16 iMessageNum);
    void ClearProgress();
    void DrawProgress();

    cPracticeRun m_run;
    double m_progressX = cPracticeRun::kBarWidth;
};
