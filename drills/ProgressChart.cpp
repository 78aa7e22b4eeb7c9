#include "drills/ProgressChart.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

const QColor ProgressChart::kSpeedColour(0x1F, 0x5F, 0xBF);
const QColor ProgressChart::kAccuracyColour(0x2E, 0x8B, 0x3A);

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
    p.fillRect(rect(), Qt::white);
    const QRectF plot = PlotArea();
    const QFontMetricsF metrics(font());

    // Grid: accuracy every 25 % on the right, round speeds on the left.
    p.setPen(QPen(QColor(0xE2, 0xE5, 0xEA), 1));
    for (int accuracy = 0; accuracy <= 100; accuracy += 25)
        p.drawLine(QPointF(plot.left(), AccuracyY(accuracy)), QPointF(plot.right(), AccuracyY(accuracy)));
    p.setPen(kAccuracyColour);
    for (int accuracy = 0; accuracy <= 100; accuracy += 25) {
        const QString text = QString::number(accuracy) + QStringLiteral(" %");
        p.drawText(QRectF(plot.right() + 4, AccuracyY(accuracy) - 8, kRight - 4, 16),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    p.setPen(kSpeedColour);
    const double step = speedStep(m_speedTop);
    for (double speed = 0; speed <= m_speedTop + 0.5; speed += step)
        p.drawText(QRectF(0, SpeedY(speed) - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(qint64(speed)));
    p.setPen(QColor(0x8A, 0x8F, 0x98));
    p.drawRect(plot);

    if (m_points.isEmpty())
        return;

    // The targets, dashed, each labelled with its value at the line's start.
    auto target = [&](double y, const QColor &colour, const QString &text, bool labelAbove) {
        p.setPen(QPen(colour, 1.5, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const double top = labelAbove ? y - metrics.height() - 1 : y + 1;
        p.setPen(colour);
        p.drawText(QRectF(plot.left() + 4, top, plot.width() - 8, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    };
    const double speedTarget = SpeedY(m_wantedSpeed);
    const double accuracyTarget = AccuracyY(m_wantedAccuracy);
    target(accuracyTarget, kAccuracyColour, m_accuracyText, accuracyTarget <= speedTarget);
    target(speedTarget, kSpeedColour, m_speedText, speedTarget < accuracyTarget);

    DrawSeries(p, false);
    DrawSeries(p, true);

    // The first and the last test's date under the plot.
    p.setPen(palette().color(QPalette::WindowText));
    const auto date = [](qint64 time) {
        return QDateTime::fromMSecsSinceEpoch(time).toString(QStringLiteral("yyyy/MM/dd"));
    };
    const QRectF under(plot.left(), plot.bottom() + 2, plot.width(), kBottom - 2);
    if (m_points.size() == 1) {
        p.drawText(under, Qt::AlignHCenter | Qt::AlignTop, date(m_points.first().iTime));
    } else {
        p.drawText(under, Qt::AlignLeft | Qt::AlignTop, date(m_points.first().iTime));
        p.drawText(under, Qt::AlignRight | Qt::AlignTop, date(m_points.last().iTime));
    }
}
