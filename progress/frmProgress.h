#pragma once

#include "users/cHistoryStats.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>

struct ClassReportRow;
class KeyboardPicture;
class ProgressChart;
class QLabel;
class QPushButton;

// The learner's progress in the training language, from the history: the tests' speed and accuracy
// over time against the targets, the keyboard tinted by each key's miss rate, the five weakest keys,
// a button that practises them as the custom lessons do, and the way to the adaptive trainer with its
// forecast. The window is never shown; the main
// menu moves picProgress into the main window. The class report opens a read-only copy of it for a
// learner nobody is logged in as.
class frmProgress : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWeakest = 5;

    // Whose progress is shown, in which language, against which targets and in which colours.
    struct Learner
    {
        QString sFolder; // ends in "/"
        QString sName;
        bool bArabic = true;
        bool bWords = false;        // speeds in words per minute
        qint16 iWantedSpeed = 0;    // letters per minute
        qint16 iWantedAccuracy = 0; // percent
        qint32 iBackColour = 0;
    };

    frmProgress();

    void Form_Load();
    void cmdPractice_Click();
    void ShowLearner(const Learner &learner);

    // A window of its own over `parent` with one learner's progress, as the class report's row
    // holds it: nothing can be practised there, nothing is written.
    static frmProgress *OpenReadOnly(const ClassReportRow &row, const QString &sFolder, QWidget *parent);

    // The weakest keys' letters, weakest first, as the practice takes them.
    QStringList sWeakLetters;

    QWidget *picProgress = nullptr;
    QLabel *lblTitle = nullptr;
    std::array<QLabel *, 2> lblData{}; // the chart's two legends
    ProgressChart *picChart = nullptr;
    QLabel *lblEmpty = nullptr;
    KeyboardPicture *picKeyboard = nullptr;
    QLabel *lblWeakTitle = nullptr;
    std::array<QLabel *, kWeakest> lblWeak{};
    QPushButton *cmdAdaptive = nullptr; // the adaptive trainer
    QLabel *lblForecast = nullptr;       // how much more of it reaches the targets
    QPushButton *cmdPractice = nullptr;  // the weakest keys' practice
    std::array<QLabel *, 2> lblLesson{};

    // The tint of a key missed at `rate` (0 to 1): green for none, through yellow, red from 20 %.
    static QColor TintFor(double rate);

signals:
    // The adaptive trainer was asked for; the main window opens it in this screen's place.
    void OpenAdaptive();

private:
    void ShowSummary(const HistorySummary &summary, const Learner &learner);
};
