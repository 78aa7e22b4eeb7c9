#pragma once

#include "app/ScreenParts.h"
#include "typing/PracticePanel.h"
#include "typing/cTypingHost.h"

#include <QWidget>

#include <array>

class ClickableLabel;
class KeyboardPicture;
class QLabel;
class QPushButton;

// The main window: the menu of sections on the right and the content area on the left, which shows
// the home panel, the about panel, the practice panel or the screen of one section. It hosts the
// typing engine: practice runs show on its practice panel, tests stand in for it.
class frmMain : public QWidget, public cTypingHost
{
    Q_OBJECT
public:
    static constexpr QSize kContentSize = screen::kSize;
    static constexpr int kMenuWidth = 190;
    static constexpr QSize kWindowSize{kContentSize.width() + kMenuWidth, kContentSize.height()};
    // The menu's items, by their index in lblSection.
    static constexpr qint16 kLessonsIndex = 0;
    static constexpr qint16 kTrainIndex = 1;
    static constexpr qint16 kFingersIndex = 2;
    static constexpr qint16 kCustomIndex = 3;
    static constexpr qint16 kNumbersIndex = 4;
    static constexpr qint16 kGapIndex = 5; // no item: the gap between the sections and the rest
    static constexpr qint16 kSettingsIndex = 6;
    static constexpr qint16 kAboutIndex = 7;
    static constexpr qint16 kHomeIndex = 8;
    static constexpr qint16 kChangeUserIndex = 9;
    static constexpr qint16 kExitIndex = 10;
    static constexpr qint16 kProgressIndex = 11; // after the others, so none of theirs moves
    static constexpr qint16 kAdaptiveIndex = 12;

    frmMain();

    void Form_Load();

    // The menu action; also used by the home panel's buttons and the lessons screen.
    void lblSection_Click(qint16 Index);

    QWidget *contentArea() const { return m_content; }
    // The menu item last used (highlighted).
    qint16 CurrentSection() const { return m_section; }

    PracticePanel *PracticeArea() override;
    QWidget *TestOwner() override;
    QString ResultComment(qint16 iSpeed, qint16 iAccuracy) override;

    // The practice run of the practice panel.
    std::optional<cPractice> &CurrentPractice() { return picPractice->CurrentPractice; }
    void StartPractice() { picPractice->StartPractice(); }

    QWidget *Picture1 = nullptr;
    std::array<ClickableLabel *, 13> lblSection{};
    QWidget *picHome = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLabel *, 4> lblLesson{};
    std::array<QPushButton *, 3> cmdLesson{};
    KeyboardPicture *imgKeyboard = nullptr;
    QWidget *picAbout = nullptr;
    QLabel *Label5 = nullptr;
    std::array<QLabel *, 5> lblAbout{};
    QWidget *Picture2 = nullptr;
    ClickableLabel *Image1 = nullptr;
    PracticePanel *picPractice = nullptr;

    // The web page the about panel's picture opens.
    static const char *const kWebPage;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Tab skips the controls of panels that another panel covers.
    bool focusNextPrevChild(bool next) override;

private:
    void ShowAbout(qint16 iMode);
    void cmdLesson_Click(int Index);
    void Image1_Click();
    void UnloadSectionWindows();
    void RefreshContinueCaption();
    void HighlightSection(int Index);

    QWidget *m_content = nullptr;
    qint16 m_section = kHomeIndex;
    bool m_shown = false;
};
