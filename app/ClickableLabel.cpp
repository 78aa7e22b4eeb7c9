#include "app/ClickableLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

class AccessibleClickableLabel : public QAccessibleWidget
{
public:
    explicit AccessibleClickableLabel(ClickableLabel *label)
        : QAccessibleWidget(label, label->text().isEmpty() ? QAccessible::Link : QAccessible::MenuItem)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<ClickableLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            emit static_cast<ClickableLabel *>(widget())->clicked();
    }
};

} // namespace

QAccessibleInterface *ClickableLabel::MakeAccessible(QObject *object)
{
    auto *label = qobject_cast<ClickableLabel *>(object);
    return label ? new AccessibleClickableLabel(label) : nullptr;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ClickableLabel *next = Neighbour(event->key() == Qt::Key_Down))
            next->setFocus(Qt::TabFocusReason);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

ClickableLabel *ClickableLabel::Neighbour(bool down) const
{
    ClickableLabel *best = nullptr;
    const QList<ClickableLabel *> siblings =
        parentWidget() ? parentWidget()->findChildren<ClickableLabel *>(Qt::FindDirectChildrenOnly)
                       : QList<ClickableLabel *>();
    for (ClickableLabel *other : siblings) {
        if (other == this || other->isHidden() || !other->isEnabled() ||
            !(other->focusPolicy() & Qt::TabFocus))
            continue;
        const int y = other->y();
        if (down ? y <= this->y() : y >= this->y())
            continue;
        if (!best || (down ? y < best->y() : y > best->y()))
            best = other;
    }
    return best;
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // Shown once the keyboard has moved the focus in this window, as desktop focus marks are; drawn
    // here because not every style draws one for a label.
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5, Qt::DashLine));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
}

void ClickableLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}
