#pragma once

#include "app/KeyboardPicture.h"
#include "typing/cPractice.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// What one finger types: the keys marked for it and the letters its practice is made of.
struct FingerKeys
{
    QString sCaption;
    bool bRightHand;
    QList<int> iFurtherKeys; // key positions marked before the base keys
    QStringList sArabicLetters;
    QStringList sEnglishLetters;
    bool IsThumb() const { return sArabicLetters.isEmpty(); }
};

// The ten fingers in button order: right little finger (0) to right thumb (4), left thumb (5) to
// left little finger (9). The letter lists are fixed, not read off the marked keys.
const std::array<FingerKeys, 10> &FingerTable();

// The base keys of a finger other than a thumb: one key in each letter row, in row order.
std::array<int, 3> FingerBaseKeys(int Index);

// The line naming finger Index, e.g. "تدريب على استخدام اصبع الخنصر الايمن."
QString FingerLessonLine(int Index);

// A practice of 50 random lines of the given letters, each longer than 30 characters.
cPractice MakeFingerPractice(const QStringList &sLetters);

// The finger placement drill: ten finger buttons, a keyboard picture marking the chosen finger's keys
// and a button that practises that finger's letters. The window is never shown; the main menu moves
// picSettings into the main window.
class frmFingers : public QWidget
{
    Q_OBJECT
public:
    frmFingers();

    void Form_Load();
    void cmdFinger_Click(int Index);
    void cmdPractice_Click();

    QStringList sFingerLetters;

    QWidget *picSettings = nullptr;
    QLabel *lblTitle = nullptr;
    KeyboardPicture *picKeyboard = nullptr;
    std::array<QPushButton *, 10> cmdFinger{};
    std::array<QLabel *, 3> lblLesson{};
    QPushButton *cmdPractice = nullptr;

private:
    KeyboardDrawing m_background; // the letters of the training language, without marks
};
