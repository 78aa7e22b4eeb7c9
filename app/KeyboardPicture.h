#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

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
// use, so it stays sharp at any screen scale. Keys are tinted by the finger that types them. Labels
// and boxes are kept as a drawing, painted over the keyboard, and stay until the picture is cleared.
class KeyboardPicture : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 470;

    explicit KeyboardPicture(QWidget *parent = nullptr);

    QSize sizeHint() const override;

    void Cls();
    void Print(QPoint at, const QString &text);
    void DrawBox(const QRect &rect, const QColor &color);

    const KeyboardDrawing &Picture() const { return m_drawing; }
    void SetPicture(const KeyboardDrawing &drawing);

    // Whether keys are tinted by finger; the clean picture of the home panel is.
    void setFingerColours(bool on);
    // Colours for single keys by grid position (the space bar too), over any finger tint.
    void setKeyFills(const QHash<int, QColor> &fills);
    const QHash<int, QColor> &KeyFills() const { return m_keyFills; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    KeyboardDrawing m_drawing;
    bool m_fingerColours = true;
    QHash<int, QColor> m_keyFills;
};
