#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class QAccessibleInterface;

// What has been printed and drawn on a keyboard picture over the keyboard itself.
struct KeyboardDrawing
{
    struct Label
    {
        QString text;
        QPoint at;
        bool operator==(const Label &) const = default;
    };
    struct Box
    {
        QRect rect;
        QColor color;
        bool operator==(const Box &) const = default;
    };
    QList<Label> labels;
    QList<Box> boxes;

    bool operator==(const KeyboardDrawing &) const = default;
};

// A picture of a PC keyboard, drawn by code at the coordinates the key labels and highlight boxes
// use, so it stays sharp at any screen scale; given less room than its own size, it is drawn
// smaller, whole. Keys are tinted by the finger that types them. Labels
// and boxes are kept as a drawing, painted over the keyboard, and stay until the picture is cleared.
class KeyboardPicture : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 470;
    static constexpr int kHeight = 166;

    explicit KeyboardPicture(QWidget *parent = nullptr);

    QSize sizeHint() const override;

    void Cls();
    void Print(QPoint at, const QString &text);
    void DrawBox(const QRect &rect, const QColor &color);

    const KeyboardDrawing &Picture() const { return m_drawing; }
    void SetPicture(const KeyboardDrawing &drawing);

    // Whether keys are tinted by finger; the clean picture of the home panel is.
    void setFingerColours(bool on);
    bool FingerColours() const { return m_fingerColours; }
    // Colours for single keys by grid position (the space bar too), over any finger tint.
    void setKeyFills(const QHash<int, QColor> &fills);
    const QHash<int, QColor> &KeyFills() const { return m_keyFills; }

    // The key to type next, by grid position (keygrid::kNoKey for none): drawn in a deep shade of
    // its finger's colour and framed, the other fingers' keys paler, and with `shift` the Shift key
    // of the other hand marked too.
    void setNextKey(int position, bool shift = false);
    void clearNextKey();
    int NextKey() const { return m_nextKey; }
    bool NextKeyShifted() const { return m_nextShift; }

    // Where a key stands in a training that adds keys as the learner masters them: not taken in yet
    // (drawn faded), in training with the share of the way to the targets covered (tinted from red to
    // green, with a bar along its foot as long as the share), or learned.
    struct KeyMark
    {
        enum class State
        {
            Waiting,
            Training,
            Learned
        };
        State state = State::Waiting;
        double dShare = 0; // 0 to 1
        bool operator==(const KeyMark &) const = default;
    };
    // Marks by grid position; a marked key's own colour replaces its finger tint and any fill.
    void setKeyMarks(const QHash<int, KeyMark> &marks);
    const QHash<int, KeyMark> &KeyMarks() const { return m_keyMarks; }
    // The colour a mark fills its key with (the screens' legends show the same).
    static QColor MarkColour(const KeyMark &mark);
    // The key the training works on most, framed (keygrid::kNoKey for none).
    void setFocusKey(int position);
    int FocusKey() const { return m_focusKey; }
    static const QColor kFocusFrame;
    // The picture's text alternative: the key to type next, or else the keys boxed, each with the
    // finger that types it ("J (ت)، السبابة اليمنى").
    QString MarkedKeys() const;
    // What a screen reader sees: a picture named by its marked keys, for the application's
    // accessibility factory; nullptr for another object.
    static QAccessibleInterface *MakeAccessible(QObject *object);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Tells a listening screen reader when the alternative or the description changed.
    class ScreenReaderNews;

    KeyboardDrawing m_drawing;
    bool m_fingerColours = true;
    QHash<int, QColor> m_keyFills;
    int m_nextKey = -2; // keygrid::kNoKey
    bool m_nextShift = false;
    QHash<int, KeyMark> m_keyMarks;
    int m_focusKey = -2; // keygrid::kNoKey
};
