#pragma once

#include <QDialog>

#include <array>

class NextKeyPanel;
class QLabel;
class QPushButton;
class TypingPad;
class cTest;

// The test window: the test's text on up to five line pads typed one after the other, then the mean
// speed and accuracy with a comment. It stands where the main window stood, and hands its position
// back when it unloads.
class frmTest : public QDialog
{
    Q_OBJECT
public:
    frmTest();
    ~frmTest() override;

    void Form_Load();
    void Form_Unload();

    // The test runner: hides the typing host's window, runs the modal test window in its place, shows
    // the host's window again.
    static void RunInPlaceOfHost(cTest &test);

    cTest *CurrentTest = nullptr;
    quint8 bNumberOfBoxeses = 5; // line pads in use
    qint16 iCurrentBox = 0;      // the pad being typed
    bool bFinish = false;        // the result has been computed

    QWidget *picTest = nullptr;
    std::array<::TypingPad *, 5> TypingPad{};
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr;
    QWidget *picMessage = nullptr;
    QLabel *lblSubTitle = nullptr;
    std::array<QLabel *, 8> lblData{}; // row captions 1-3, values 5-7
    QPushButton *cmdOK = nullptr;
    // The keyboard with the next key, beside the pads, where the test shows it.
    NextKeyPanel *picKeys = nullptr;

    static constexpr int kSmallLine = 60; // characters per line in the small layout
    static constexpr int kLargeLine = 30;

public slots:
    void cmdOK_Click();
    void TypingPad_FinishSession(int Index);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private slots:
    void App_FocusChanged(QWidget *old, QWidget *now);

private:
    void Form_Activate();
    void FinishTest();
    void UnloadMe();

    bool m_started = false;
    QPoint m_shift; // how far the window moved left to stand whole on the screen
};
