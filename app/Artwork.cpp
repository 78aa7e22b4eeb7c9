#include "app/Artwork.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace artwork {

namespace {

const QColor kInk(0x1F, 0x3A, 0x5F);
const QColor kAccent(0x80, 0x00, 0x00);
const QColor kKeyFill(0xF4, 0xF1, 0xE8);

void drawKeyCap(QPainter &p, const QRectF &r, const QString &text, const QColor &fill)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, r.height() * 0.18, r.height() * 0.18);
    if (!text.isEmpty()) {
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(qMax(6, int(r.height() * 0.5)));
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, text);
    }
}

void drawLogo(QPainter &p, const QRectF &area)
{
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(area.height() * 0.36));
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(area.left(), area.top(), area.width(), area.height() * 0.52), Qt::AlignCenter,
               QStringLiteral("Tavrin"));
    const QString keys = QStringLiteral("ت ا ب T A B");
    const QStringList caps = keys.split(QLatin1Char(' '));
    const double gap = area.width() * 0.02;
    const double w = (area.width() - gap * (caps.size() + 1)) / caps.size();
    const double h = qMin(w, area.height() * 0.36);
    const double y = area.top() + area.height() * 0.58;
    for (int i = 0; i < caps.size(); ++i) {
        const QRectF r(area.left() + gap + i * (w + gap), y, w, h);
        drawKeyCap(p, r, caps.at(i), i == 1 || i == 4 ? QColor(0xF6, 0xD8, 0xA8) : kKeyFill);
    }
}

void drawHand(QPainter &p, const QRectF &r, bool mirrored)
{
    // A simple open hand: a palm and four fingers resting on keys, the thumb towards the middle.
    p.save();
    p.translate(r.center());
    if (mirrored)
        p.scale(-1, 1);
    const double s = r.width() / 100.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(0x8C, 0x5A, 0x3C), 1.5));
    p.setBrush(QColor(0xF3, 0xCF, 0xB3));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(-28, 0, 56, 38), 14, 14);
    p.drawPath(palm);
    const double fingers[4][2] = {{-24, 30}, {-10, 38}, {4, 40}, {18, 34}};
    for (const auto &finger : fingers)
        p.drawRoundedRect(QRectF(finger[0], -finger[1] + 8, 11, finger[1]), 5.5, 5.5);
    p.drawRoundedRect(QRectF(24, 10, 24, 11), 5.5, 5.5);
    p.restore();
}

class PictureWidget : public QWidget
{
public:
    PictureWidget(Picture picture, QWidget *parent) : QWidget(parent), m_picture(picture)
    {
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setLayoutDirection(Qt::LeftToRight);
        const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
        switch (m_picture) {
        case Picture::Logo:
            drawLogo(p, area);
            break;
        case Picture::AboutBanner: {
            drawLogo(p, QRectF(area.left(), area.top(), area.width(), area.height() * 0.6));
            drawHand(p,
                     QRectF(area.left() + area.width() * 0.12, area.bottom() - area.height() * 0.38,
                            area.width() * 0.3, area.height() * 0.3),
                     false);
            drawHand(p,
                     QRectF(area.right() - area.width() * 0.42, area.bottom() - area.height() * 0.38,
                            area.width() * 0.3, area.height() * 0.3),
                     true);
            break;
        }
        case Picture::WebLink: {
            const double d = qMin(area.width(), area.height());
            const QRectF globe(area.center().x() - d / 2, area.center().y() - d / 2, d, d);
            p.setPen(QPen(kInk, 1.6));
            p.setBrush(QColor(0xCF, 0xE6, 0xF7));
            p.drawEllipse(globe);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(globe.adjusted(d * 0.28, 0, -d * 0.28, 0));
            p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
            p.drawLine(QPointF(globe.center().x(), globe.top()), QPointF(globe.center().x(), globe.bottom()));
            break;
        }
        case Picture::HomeHands:
            drawHand(p, QRectF(area.left(), area.top(), area.width() * 0.45, area.height()), false);
            drawHand(
                p, QRectF(area.right() - area.width() * 0.45, area.top(), area.width() * 0.45, area.height()),
                true);
            break;
        }
    }

private:
    Picture m_picture;
};

QPixmap iconPixmap(ButtonIcon kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xFF, 0xE8, 0xB0));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    switch (kind) {
    case ButtonIcon::Forward:
    case ButtonIcon::Test: {
        // Points left: the way Arabic text runs on.
        QPolygonF arrow({QPointF(9, 16), QPointF(19, 8), QPointF(19, 13), QPointF(24, 13), QPointF(24, 19),
                         QPointF(19, 19), QPointF(19, 24)});
        p.drawPolygon(arrow);
        break;
    }
    case ButtonIcon::Back: {
        QPolygonF arrow({QPointF(23, 16), QPointF(13, 8), QPointF(13, 13), QPointF(8, 13), QPointF(8, 19),
                         QPointF(13, 19), QPointF(13, 24)});
        p.drawPolygon(arrow);
        break;
    }
    case ButtonIcon::Fingers:
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(8 + i * 4.5, 8 + (i == 1 || i == 2 ? 0 : 3), 3.5, 12), 1.7, 1.7);
        p.drawRoundedRect(QRectF(8, 18, 17, 7), 3, 3);
        break;
    case ButtonIcon::Custom:
    case ButtonIcon::Practice:
        p.setPen(QPen(kAccent, 1.2));
        p.setBrush(kKeyFill);
        p.drawRoundedRect(QRectF(7, 9, 8, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(17, 9, 8, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(7, 18, 18, 6), 1.5, 1.5);
        break;
    case ButtonIcon::Tests:
        p.setPen(QPen(kAccent, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(9, 16), QPointF(14, 22), QPointF(24, 10)}));
        break;
    }
    return pixmap;
}

} // namespace

QWidget *createPicture(Picture picture, QWidget *parent)
{
    return new PictureWidget(picture, parent);
}

QIcon icon(ButtonIcon kind)
{
    // Drawn once per kind and shared: a screen holds many buttons with the same few icons, and each
    // screen is built afresh every time it opens. The cache is left for the process's end rather than
    // destroyed, so no pixmap is freed after the application object has gone.
    static auto *drawn = new QHash<int, QIcon>;
    QIcon &result = (*drawn)[int(kind)];
    if (result.isNull()) {
        for (int size : {16, 24, 32, 48, 64})
            result.addPixmap(iconPixmap(kind, size));
    }
    return result;
}

} // namespace artwork
