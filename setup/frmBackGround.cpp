#include "setup/frmBackGround.h"

#include "setup/PageParts.h"
#include "setup/mdlSetup.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

frmBackGround::frmBackGround()
{
    setWindowTitle(QStringLiteral("تركيب - Tavrin"));
}

void frmBackGround::Form_Load()
{
    // Most of the screen, so the pages stand on it as on a desktop of their own.
    QRect area(QPoint(0, 0), pageparts::kBackgroundFallback);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    const QSize size(area.width() * pageparts::kBackgroundTenths / 10,
                     area.height() * pageparts::kBackgroundTenths / 10);
    setGeometry(QRect(area.x() + (area.width() - size.width()) / 2,
                      area.y() + (area.height() - size.height()) / 2, size.width(), size.height()));
}

void frmBackGround::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(pageparts::colours::kBackgroundTop));
    shade.setColorAt(1, QColor(pageparts::colours::kBackgroundBottom));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor::fromRgba(pageparts::colours::kBackgroundTitle));
    QFont font = painter.font();
    font.setPointSize(28);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(30, 20, -30, -20), Qt::AlignTop | Qt::AlignRight | Qt::AlignAbsolute,
                     QStringLiteral("تركيب Tavrin"));
}

void frmBackGround::closeEvent(QCloseEvent *event)
{
    // Closing the background would leave the pages without their installer; it asks like "انهاء".
    event->ignore();
    ConfirmExit(this);
}
