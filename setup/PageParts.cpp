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
    const QSize size = kPictureSize;
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(colours::kSkyTop));
    sky.setColorAt(1, QColor(colours::kSkyBottom));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);

    // Three rows of keys, each row set off a little to the right, the home row's two bumps marked.
    constexpr int kKey = 21, kPitch = 25, kRowPitch = 28, kRowShift = 6, kLeft = 10, kTop = 150;
    painter.setPen(QPen(QColor(colours::kKeyEdge), 1));
    for (int row = 0; row < 3; ++row) {
        for (int key = 0; key < 5; ++key) {
            const QRectF box(kLeft + key * kPitch + row * kRowShift, kTop + row * kRowPitch, kKey, kKey);
            painter.setBrush(QColor(colours::kKeyFace));
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

QLabel *MakeHeading(const QString &sText, QWidget *page)
{
    auto *label = new QLabel(sText, page);
    QFont heading = label->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + kHeadingGrowth);
    label->setFont(heading);
    return label;
}

QLabel *MakeText(const QString &sText, QWidget *page)
{
    auto *label = new QLabel(sText, page);
    label->setWordWrap(true);
    return label;
}

PageButtons MakeButtons(QWidget *page, const QString &sNext)
{
    return {new QPushButton(kBackCaption, page), new QPushButton(sNext, page),
            new QPushButton(kExitCaption, page)};
}

QVBoxLayout *MakeBody(QLabel *heading, QLabel *text, const QList<QWidget *> &below, int gap)
{
    auto *body = new QVBoxLayout;
    if (heading) {
        body->addWidget(heading);
        body->addSpacing(kGap);
    } else {
        body->addSpacing(kBodyTop);
    }
    body->addWidget(text);
    if (!below.isEmpty())
        body->addSpacing(gap);
    for (QWidget *widget : below)
        body->addWidget(widget);
    body->addStretch(1);
    return body;
}

void LayOutPage(QDialog *page, QLabel *picPlan, QVBoxLayout *body, const PageButtons &buttons)
{
    picPlan->setPixmap(PlanPicture());
    picPlan->setFrameShape(QFrame::Panel);
    picPlan->setFrameShadow(QFrame::Sunken);
    picPlan->setAlignment(Qt::AlignTop);

    auto *upper = new QHBoxLayout;
    upper->addWidget(picPlan, 0, Qt::AlignTop);
    upper->addSpacing(kWideGap);
    upper->addLayout(body, 1);

    auto *rule = new QFrame(page);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons.back);
    row->addWidget(buttons.next);
    row->addSpacing(kWideGap);
    row->addWidget(buttons.exit);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(upper, 1);
    layout->addWidget(rule);
    layout->addLayout(row);

    buttons.next->setDefault(true);
    page->setFixedSize(kPageSize);
}

} // namespace pageparts
