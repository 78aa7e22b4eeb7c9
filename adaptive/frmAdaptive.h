#pragma once

#include "adaptive/cAdaptiveSession.h"

#include <QWidget>

#include <array>
#include <optional>

class KeyboardPicture;
class QComboBox;
class QLabel;
class QPushButton;
class TypingPad;

// The adaptive trainer's screen: lines built from the learner's own weakest keys, typed one after
// another on the typing pad, each recorded in the history and folded into the key model before the
// next is built; the keyboard shows where every key stands, and the learner may let the next key
// join early or measure a key afresh. The window is never shown; the main menu moves picAdaptive
// into the main window.
class frmAdaptive : public QWidget
{
    Q_OBJECT
public:
    // The learner's choices in the preferences, per training language.
    static QString PreferenceKey(const char *sWhat, bool bArabic);

    frmAdaptive();

    void Form_Load();
    void cmdJoin_Click();
    void cmdReset_Click();
    void TypingPad_FinishSession();

    const cAdaptiveSession &Session() const { return *m_session; }

    QWidget *picAdaptive = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblFocus = nullptr;    // the focus key and how far it is from the targets
    ::TypingPad *TypingPad = nullptr;
    QLabel *lblLine = nullptr;     // the last line's speed and accuracy, and what it did for the focus key
    QLabel *lblForecast = nullptr;
    KeyboardPicture *picKeyboard = nullptr;
    std::array<QLabel *, 4> lblLegend{}; // waiting, in training, learned, the focus key
    QPushButton *cmdJoin = nullptr;
    QLabel *lblJoin = nullptr;
    QPushButton *cmdReset = nullptr;
    QLabel *lblReset = nullptr;
    QComboBox *cboReset = nullptr;

private:
    void KeepChoices();
    void ShowModel();
    void StartLine();
    // A key's speed and miss rate as the screen writes them.
    QString KeyFigures(int index) const;

    std::optional<cAdaptiveSession> m_session;
};
