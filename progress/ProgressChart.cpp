#include "progress/ProgressChart.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

// Both read on the black and on the light green background.
const QColor ProgressChart::kSpeedColour(0x3C, 0x78, 0xD8);
const QColor ProgressChart::kAccuracyColour(0xD0, 0x64, 0x10);

namespace {

// Room for the speed numbers on the left, the percent numbers on the right, the dates below.
constexpr double kLeft = 44;
constexpr double kRight = 44;
constexpr double kTop = 10;
constexpr double kBottom = 24;
constexpr qsizetype kDotsUpTo = 80; // fewer tests than this are drawn as dots too

// A round step for about four speed grid lines under `top`.
double speedStep(double top)
{
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0, 100.0, 200.0, 500.0}) {
        if (top / step <= 5)
            return step;
    }
    return 1000.0;
}

} // namespace

ProgressChart::ProgressChart(QWidget *parent) : QWidget(parent)
{
    // Time runs left to right, like the keyboard picture the chart stands over.
    setLayoutDirection(Qt::LeftToRight);
}

void ProgressChart::SetData(QList<Point> points, qint16 iWantedSpeed, qint16 iWantedAccuracy,
                            const QString &sSpeedText, const QString &sAccuracyText)
{
    m_points = std::move(points);
    m_wantedSpeed = iWantedSpeed;
    m_wantedAccuracy = iWantedAccuracy;
    m_speedText = sSpeedText;
    m_accuracyText = sAccuracyText;
    qint16 highest = std::max<qint16>(iWantedSpeed, 1);
    for (const Point &point : m_points)
        highest = std::max(highest, point.iSpeed);
    const double step = speedStep(highest * 1.1);
    m_speedTop = std::ceil(highest * 1.1 / step) * step;
    update();
}

void ProgressChart::SetColours(const QColor &back, const QColor &text)
{
    m_back = back;
    m_text = text;
    update();
}

QRectF ProgressChart::PlotArea() const
{
    return QRectF(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
}

double ProgressChart::XOf(qsizetype index) const
{
    const QRectF plot = PlotArea();
    if (m_points.size() < 2)
        return plot.center().x();
    return plot.left() + plot.width() * double(index) / double(m_points.size() - 1);
}

double ProgressChart::SpeedY(double speed) const
{
    const QRectF plot = PlotArea();
    return plot.bottom() - plot.height() * std::clamp(speed / m_speedTop, 0.0, 1.0);
}

double ProgressChart::AccuracyY(double accuracy) const
{
    const QRectF plot = PlotArea();
    return plot.bottom() - plot.height() * std::clamp(accuracy / 100.0, 0.0, 1.0);
}

QPointF ProgressChart::SpeedAt(qsizetype index) const
{
    return QPointF(XOf(index), SpeedY(m_points.at(index).iSpeed));
}

QPointF ProgressChart::AccuracyAt(qsizetype index) const
{
    return QPointF(XOf(index), AccuracyY(m_points.at(index).iAccuracy));
}

void ProgressChart::DrawSeries(QPainter &p, bool speed) const
{
    const QColor colour = speed ? kSpeedColour : kAccuracyColour;
    auto yOf = [&](const Point &point) { return speed ? SpeedY(point.iSpeed) : AccuracyY(point.iAccuracy); };
    const QRectF plot = PlotArea();
    const qsizetype n = m_points.size();
    QPolygonF line;
    if (n <= qsizetype(plot.width())) {
        line.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            line.append(QPointF(XOf(i), yOf(m_points.at(i))));
    } else {
        // One pixel column at a time: its lowest and highest value, so no spike is lost.
        const int columns = int(plot.width());
        line.reserve(2 * columns);
        qsizetype i = 0;
        for (int column = 0; column < columns && i < n; ++column) {
            const qsizetype end = std::max(i + 1, qsizetype(double(column + 1) * double(n) / columns));
            double low = yOf(m_points.at(i));
            double high = low;
            for (qsizetype j = i + 1; j < end && j < n; ++j) {
                const double y = yOf(m_points.at(j));
                low = std::max(low, y);
                high = std::min(high, y);
            }
            const double x = plot.left() + column + 0.5;
            line.append(QPointF(x, low));
            if (high != low)
                line.append(QPointF(x, high));
            i = end;
        }
    }
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    // A zigzag over every pixel column gains nothing from smoothing and costs most of the paint.
    p.setRenderHint(QPainter::Antialiasing, n <= qsizetype(plot.width()));
    if (line.size() > 1)
        p.drawPolyline(line);
    if (n <= kDotsUpTo) {
        p.setBrush(colour);
        for (const QPointF &at : line)
            p.drawEllipse(at, 3.5, 3.5);
    }
}

void ProgressChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), m_back);
    const QRectF plot = PlotArea();
    const QFontMetricsF metrics(font());

    // Grid: accuracy every 25 % on the right, round speeds on the left.
    const QColor grid =
        QColor::fromRgbF((m_back.redF() * 4 + m_text.redF()) / 5, (m_back.greenF() * 4 + m_text.greenF()) / 5,
                         (m_back.blueF() * 4 + m_text.blueF()) / 5);
    p.setPen(QPen(grid, 1));
    for (int accuracy = 0; accuracy <= 100; accuracy += 25)
        p.drawLine(QPointF(plot.left(), AccuracyY(accuracy)), QPointF(plot.right(), AccuracyY(accuracy)));
    p.setPen(kAccuracyColour);
    for (int accuracy = 0; accuracy <= 100; accuracy += 25) {
        const QString text = QString::number(accuracy) + QStringLiteral(" %");
        p.drawText(QRectF(plot.right() + 4, AccuracyY(accuracy) - 8, kRight - 4, 16),
                   Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    p.setPen(kSpeedColour);
    const double step = speedStep(m_speedTop);
    for (double speed = 0; speed <= m_speedTop + 0.5; speed += step)
        p.drawText(QRectF(0, SpeedY(speed) - 8, kLeft - 4, 16),
                   Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter, QString::number(qint64(speed)));
    p.setPen(m_text);
    p.drawRect(plot);

    if (m_points.isEmpty())
        return;

    // The targets, dashed, each labelled with its value over the end of the line next to its own
    // scale, or under it where the plot's top leaves no room.
    auto target = [&](double y, const QColor &colour, const QString &text, Qt::Alignment side) {
        p.setPen(QPen(colour, 1.5, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const double top = y - metrics.height() - 1 < plot.top() ? y + 1 : y - metrics.height() - 1;
        p.setPen(colour);
        p.drawText(QRectF(plot.left() + 4, top, plot.width() - 8, metrics.height()),
                   Qt::AlignAbsolute | side | Qt::AlignVCenter, text);
    };
    target(AccuracyY(m_wantedAccuracy), kAccuracyColour, m_accuracyText, Qt::AlignRight);
    target(SpeedY(m_wantedSpeed), kSpeedColour, m_speedText, Qt::AlignLeft);

    DrawSeries(p, false);
    DrawSeries(p, true);

    // The first and the last test's date under the plot.
    p.setPen(m_text);
    const auto date = [](qint64 time) {
        return QDateTime::fromMSecsSinceEpoch(time).toString(QStringLiteral("yyyy/MM/dd"));
    };
    const QRectF under(plot.left(), plot.bottom() + 2, plot.width(), kBottom - 2);
    if (m_points.size() == 1) {
        p.drawText(under, Qt::AlignHCenter | Qt::AlignTop, date(m_points.first().iTime));
    } else {
        p.drawText(under, Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignTop, date(m_points.first().iTime));
        p.drawText(under, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignTop, date(m_points.last().iTime));
    }
}
