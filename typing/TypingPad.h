#pragma once

#include "typing/PadLine.h"
#include "typing/cTypingLine.h"
#include "typing/cTypingNews.h"

#include <QColor>
#include <QWidget>

class QAccessibleInterface;

// The one surface every timed exercise is typed on: shows the line to type, the learner's typed text
// under it, a cursor and ticks over wrong letters; judges each key, times the line from its first
// letter and, when the line is complete, computes speed and accuracy and emits FinishSession.
// Hosts set sWantedText, call Start and read iSpeed and iAccuracy in their FinishSession handler.
// The rules live in cTypingLine; the pad turns key events into its calls and draws its state.
class TypingPad : public QWidget, private cTypingLine
{
    Q_OBJECT
public:
    explicit TypingPad(QWidget *parent = nullptr);
    ~TypingPad() override;

    using cTypingLine::bActive;
    using cTypingLine::bArabic;
    using cTypingLine::iAccuracy; // percent after the line
    using cTypingLine::iNumofLetter;
    using cTypingLine::iSpeed;       // start time of the line while typing; letters per minute after it
    using cTypingLine::KeyIntervals; // each letter's time from the key before, for the history
    using cTypingLine::LineComplete;
    using cTypingLine::sWantedText;
    using cTypingLine::sWrittenText;
    using cTypingLine::TrimmedWanted;

    void Start();
    void PrintScreen();
    void GetSettings();
    void UserControl_KeyPress(qint16 KeyAscii);

    QSize sizeHint() const override;

    // The text and error colours that go with a background given in blue-green-red order.
    struct Colours
    {
        QColor back;
        QColor text;
        QColor error;
    };
    static Colours ColoursFor(qint32 lBackColor);

    // Where the "_" of the cursor is printed (its top left, in the pad's inner coordinates).
    QPointF CursorPosition() const { return m_cursorAt; }
    // The column of letter `index` of the wanted line, in the pad's inner coordinates; the typed
    // letter judged against it stands in the same column of the line below.
    QRectF WantedCell(qsizetype index) const;

    // What comes next on the line: the next letter, with the letter after it (lam and alef are one
    // key); empty once the line is typed.
    QString NextLetters() const;

    // What a screen reader reads: the line to type, and under it, as a second line, what has been
    // typed; the caret stands after the typed part, where the pad draws its cursor.
    QString AccessibleText() const;
    int AccessibleCaret() const;
    // A read-only text for the application's accessibility factory; nullptr for another object.
    static QAccessibleInterface *MakeAccessible(QObject *object);

signals:
    void FinishSession();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Tab is a key the pad judges, never a move to the next control.
    bool focusNextPrevChild(bool next) override;

private:
    void MarkErrors();
    // Tells a listening screen reader how the text changed since it was last told, and where the
    // caret went (it follows the text's end).
    void TellScreenReader();
    // Whether the letter just typed is the wanted one.
    cTypingNews::Key LastKey() const;
    // Takes the learner's size, or the largest smaller one at which the typed line's deepest letters
    // and the cursor stay inside the pad.
    void FitFont();
    // The face of the pad's language at `pointSize`, and the least width of a column in it.
    QFont FaceFor(bool arabic, int pointSize) const;
    double LeastColumn() const;

    qint32 lBackColor = 0;
    int m_chosenPointSize = 9; // the learner's size (View/Size)
    int m_fittedHeight = -1;   // the pad height FitFont last fitted the font to
    QColor lTextColor;
    QColor lErrorColor;

    // What the last PrintScreen drew, for paintEvent.
    PadLine m_wantedLine;
    PadLine m_writtenLine;
    QList<qsizetype> m_wrong;
    QPointF m_wantedAt;
    QPointF m_writtenAt;
    bool m_cursorShown = false;
    QPointF m_cursorAt;
    QList<double> m_ticks;

    // Lines completed so far, so a key's later letters stop at the line its first letters completed.
    quint32 m_linesFinished = 0;
    // The text a screen reader was last told of.
    QString m_toldText = QStringLiteral("\n");
};
