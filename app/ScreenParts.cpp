#include "app/ScreenParts.h"

#include <QLabel>

namespace screen {

QWidget *makePanel(const QString &name, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(QRect(QPoint(0, 0), kSize));
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel *makeHeading(const QString &name, const QString &text, QWidget *parent)
{
    QLabel *label = makeLabel(name, text, QRect(0, 0, kSize.width(), 44), parent);
    label->setStyleSheet(QStringLiteral("background-color: #1f3a5f; color: white; padding-right: 16px;"));
    QFont font = label->font();
    font.setPointSize(16);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel *makeLabel(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(kCaptionAlignment);
    return label;
}

} // namespace screen
