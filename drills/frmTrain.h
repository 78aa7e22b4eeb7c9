#pragma once

#include "app/KeyboardPicture.h"

#include <QString>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The keyboard drill's text, lower-cased: random words of the language's letters (iLesson 0) or
// practice lines of lesson iLesson (1 to 6), drawn from the shared random source until the text is
// longer than the drill's four lines.
QString TrainText(bool bArabic, int iLesson);

// The keyboard drill: four 30-letter lines typed into an answer box that takes only the expected
// character, while a keyboard picture marks the key of the next one. The window is never shown; the
// main window shows its option page picSettings, and a drill shows its drill panel picTrain. Nothing
// is timed, counted or stored.
class frmTrain : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kLines = 4;
    static constexpr int kLineLength = 30;

    frmTrain();

    void Form_Load();
    void Form_Unload();

    // The whole drill text, lower-cased; built when a drill starts.
    QString sTrainText;

    // Option page
    QWidget *picSettings = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr;
    KeyboardPicture *Picture1 = nullptr;
    QComboBox *Combo3 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *cmdPractice = nullptr;
    // Captions: index 6 the start button's, 8 the letter distribution's, 14 the lesson list's.
    std::array<QLabel *, 15> lblLesson{};

    // Drill panel
    QWidget *picTrain = nullptr;
    QLabel *lblTitle = nullptr;
    KeyboardPicture *picKeyboard = nullptr;
    QLabel *lblTrain = nullptr;
    // The answer box; its property "Tag" holds the line number as decimal text.
    QLineEdit *Text1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Combo3_Click();
    void cmdPractice_Click();
    void Start();
    void Text1_GotFocus();
    void Text1_KeyPress(qint16 KeyAscii);
    void ShowNext();
    void Finish();
    // Returns true when the key was taken.
    bool Form_KeyPress(qint16 KeyAscii);

    void BuildSettings();
    void BuildTrain();
    // Clears the old mark of picKeyboard, keeping its letters, and marks the key of `next`.
    void MarkNext(const QString &next);
    // Line `iLine` (1 to 4) of the drill text, blanks trimmed.
    QString LineOfText(int iLine) const;
    bool IsArabic() const;

    // picKeyboard's letters without any mark.
    KeyboardDrawing m_letters;
};
