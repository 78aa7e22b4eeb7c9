#include "setup/PageParts.h"

#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace pageparts {

QString LeftToRight(const QString &sText)
{
    return QChar(0x2066) + sText + QChar(0x2069); // LEFT-TO-RIGHT ISOLATE ... POP DIRECTIONAL ISOLATE
}

QPixmap PlanPicture()
{
    const QSize size(150, 280);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    sky.setColorAt(1, QColor(0x5b, 0x9b, 0xd5));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);

    // Three rows of keys, the home row's two bumps marked.
    painter.setPen(QPen(QColor(0x1f, 0x3b, 0x57), 1));
    for (int row = 0; row < 3; ++row) {
        for (int key = 0; key < 5; ++key) {
            const QRectF box(10 + key * 25 + row * 6, 150 + row * 28, 21, 21);
            painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
            painter.drawRoundedRect(box, 4, 4);
            if (row == 1 && (key == 1 || key == 3))
                painter.drawLine(QPointF(box.center().x() - 4, box.bottom() - 5),
                                 QPointF(box.center().x() + 4, box.bottom() - 5));
        }
    }
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 40, size.width(), 60), Qt::AlignCenter, QStringLiteral("Tavrin"));
    font.setPointSize(10);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 90, size.width(), 30), Qt::AlignCenter, QStringLiteral("تركيب"));
    return picture;
}

void LayOutPage(QDialog *page, QLabel *picPlan, QLayout *body, QPushButton *back, QPushButton *next,
                QPushButton *exit)
{
    picPlan->setPixmap(PlanPicture());
    picPlan->setFrameShape(QFrame::Panel);
    picPlan->setFrameShadow(QFrame::Sunken);
    picPlan->setAlignment(Qt::AlignTop);

    auto *upper = new QHBoxLayout;
    upper->addWidget(picPlan, 0, Qt::AlignTop);
    upper->addSpacing(12);
    upper->addLayout(body, 1);

    auto *rule = new QFrame(page);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(back);
    buttons->addWidget(next);
    buttons->addSpacing(12);
    buttons->addWidget(exit);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(upper, 1);
    layout->addWidget(rule);
    layout->addLayout(buttons);

    next->setDefault(true);
    page->setFixedSize(kPageWidth, kPageHeight);
}

} // namespace pageparts
