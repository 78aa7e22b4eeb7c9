#include "progress/ProgressChart.h"

#include "app/ScreenParts.h"
#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <QDateTime>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

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

// One value of the table: it reads the chart as it is now, so a redrawn chart needs no new cells.
class AccessibleChartCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    AccessibleChartCell(ProgressChart *chart, int row, int column)
        : m_chart(chart), m_row(row), m_column(column)
    {
    }

    bool isValid() const override { return m_chart && m_row < m_chart->PointCount(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_chart); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        if (t == QAccessible::Name)
            return m_chart->CellText(m_row, m_column);
        if (t == QAccessible::Description)
            return ProgressChart::ColumnTitle(m_column);
        return QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    // Where the value is drawn: the test's dot on its line, or its column under the plot for the date.
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        QPointF at = m_column == 2 ? m_chart->AccuracyAt(m_row) : m_chart->SpeedAt(m_row);
        if (m_column == 0)
            at.setY(m_chart->PlotArea().bottom());
        return QRect(m_chart->mapToGlobal(at.toPoint() - QPoint(4, 4)), QSize(8, 8));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !m_chart || !m_chart->isVisible();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this)
                                                       : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<ProgressChart> m_chart;
    int m_row;
    int m_column;
};

// The chart as a table of its tests; cells are made when first asked for and kept with the chart.
class AccessibleProgressChart : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit AccessibleProgressChart(ProgressChart *chart) : QAccessibleWidget(chart, QAccessible::Table) {}
    ~AccessibleProgressChart() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        if (t == QAccessible::Name)
            return QStringLiteral("السرعة والدقة في الاختبارات");
        if (t == QAccessible::Description)
            return QStringLiteral("عدد الاختبارات: ") + QString::number(rowCount());
        return own;
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < childCount() ? cellAt(index / columnCount(), index % columnCount())
                                                  : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
        if (!cell || cell->table() != this)
            return -1;
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        const int key = row * columnCount() + column;
        if (const auto found = m_cells.constFind(key); found != m_cells.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto *cell = new AccessibleChartCell(chart(), row, column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return ProgressChart::ColumnTitle(column); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return ProgressChart::kColumns; }
    int rowCount() const override { return int(chart()->PointCount()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    ProgressChart *chart() const { return static_cast<ProgressChart *>(widget()); }

    mutable QHash<int, QAccessible::Id> m_cells;
};

} // namespace

QAccessibleInterface *ProgressChart::MakeAccessible(QObject *object)
{
    auto *chart = qobject_cast<ProgressChart *>(object);
    return chart ? new AccessibleProgressChart(chart) : nullptr;
}

QString ProgressChart::ColumnTitle(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("التاريخ");
    case 1:
        return QStringLiteral("السرعة");
    case 2:
        return QStringLiteral("الدقة");
    default:
        return QString();
    }
}

QString ProgressChart::CellText(qsizetype row, int column) const
{
    if (row < 0 || row >= m_points.size())
        return QString();
    const Point &point = m_points.at(row);
    switch (column) {
    case 0:
        return QDateTime::fromMSecsSinceEpoch(point.iTime).toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    case 1:
        return QString::number(point.iSpeed);
    case 2:
        return screen::PercentText(point.iAccuracy).trimmed();
    default:
        return QString();
    }
}

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
    if (platform::screenReaderListens()) {
        QAccessibleTableModelChangeEvent changed(this, QAccessibleTableModelChangeEvent::ModelReset);
        platform::tellScreenReader(changed);
    }
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
