#pragma once

#include <QLabel>

class QAccessibleInterface;

// A label that acts on a click, as the menu items and picture links of the main window do. Given a
// focus policy that takes Tab, it is a keyboard control too: Enter or Space acts as a click, the
// up and down arrows move the focus to the neighbouring label of the same kind, and a focus frame
// shows where the keyboard is. A mouse click never takes the focus.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // What a screen reader sees: a menu item (a link when it shows a picture, not a caption) that
    // can be pressed. For the application's accessibility factory; nullptr for another object.
    static QAccessibleInterface *MakeAccessible(QObject *object);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The nearest label of the same parent above (`down` false) or below that takes the focus.
    ClickableLabel *Neighbour(bool down) const;
};
