#pragma once

#include "app/Artwork.h"
#include "lessons/cLesson.h"

#include <QWidget>

#include <array>

class KeyboardPicture;
class QLabel;
class QPushButton;

// The lessons screen: a window never shown itself, holding three panels that the main window shows
// one at a time: the lesson list, the lesson page with its keyboard picture, and the tests with the
// results table. It keeps no state of its own; the chosen lesson lives in the lesson controller.
class frmLessons : public QWidget, public cLessonScreen
{
    Q_OBJECT
public:
    frmLessons();
    ~frmLessons() override;

    void ShowLessonPage(const QString &sTitle) override;
    void ShowResultsPage(const QString &sTitle) override;

    void Form_Load();

    // Fills the results table for the chosen lesson from the stored test results.
    void FillResults();

    // Opens lesson Index + 1 (Index 0..5); also the main window's shortcut to the current lesson.
    void cmdLesson_Click(int Index);

    // Lesson list
    QWidget *picLessons = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QPushButton *, 6> cmdLesson{};

    // Lesson page
    QWidget *picLesson = nullptr;
    QLabel *lblLTitle = nullptr;
    KeyboardPicture *picKeyboard = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdPractice = nullptr;
    QPushButton *cmdTest = nullptr;
    QPushButton *cmdChange = nullptr;

    // Tests and results
    QWidget *picTestResult = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    std::array<QLabel *, 12> lblResult{};

    // Shared by the panels: captions beside the buttons, and the data labels of the lesson list and
    // the results table's headers (indices 8-11, 13, 14 and 16-21 are not used).
    std::array<QLabel *, 13> lblLesson{};
    std::array<QLabel *, 28> lblData{};

signals:
    // The learner asked for another lesson: the window above shows the lesson list afresh.
    void ChangeLesson();

private:
    void cmdPractice_Click();
    void cmdTest_Click();
    void cmdChange_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void BuildLessonList();
    void BuildLessonPage();
    void BuildTestResult();
    // An action row whose caption is lblLesson(iCaption).
    QPushButton *AddButton(QWidget *panel, const QString &name, artwork::ButtonIcon icon, int iCaption,
                           const QString &caption, int x, int y, int width);
};
