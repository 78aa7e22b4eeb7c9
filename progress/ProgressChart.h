#pragma once

#include "users/cHistoryStats.h"

#include <QList>
#include <QString>
#include <QWidget>

class QAccessibleInterface;

// The learner's tests over time: speed and accuracy as two lines, oldest at the left, with the two
// targets drawn across. Painted here, so the tutor loads no chart library. With more tests than
// pixels each pixel column shows the lowest and highest value that falls in it.
class ProgressChart : public QWidget
{
    Q_OBJECT
public:
    // A test: its time, its speed in the learner's unit and its accuracy.
    using Point = HistorySummary::TestPoint;

    explicit ProgressChart(QWidget *parent = nullptr);

    // Speeds and the speed target are in the learner's unit; the texts are the target values as the
    // results table writes them.
    void SetData(QList<Point> points, qint16 iWantedSpeed, qint16 iWantedAccuracy, const QString &sSpeedText,
                 const QString &sAccuracyText);
    // The learner's typing colours: the chart stands on the same background as the typing pad.
    void SetColours(const QColor &back, const QColor &text);

    qsizetype PointCount() const { return m_points.size(); }
    const QList<Point> &Points() const { return m_points; }

    // The plot's frame, and where a test's speed and accuracy are drawn in it.
    QRectF PlotArea() const;
    QPointF SpeedAt(qsizetype index) const;
    QPointF AccuracyAt(qsizetype index) const;

    // What a screen reader reads: a table of the tests, a row each, with its date, speed and accuracy.
    static constexpr int kColumns = 3;
    QString CellText(qsizetype row, int column) const;
    static QString ColumnTitle(int column);
    // For the application's accessibility factory; nullptr for another object.
    static QAccessibleInterface *MakeAccessible(QObject *object);

    static const QColor kSpeedColour;
    static const QColor kAccuracyColour;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double XOf(qsizetype index) const;
    double SpeedY(double speed) const;
    double AccuracyY(double accuracy) const;
    void DrawSeries(QPainter &p, bool speed) const;

    QList<Point> m_points;
    QColor m_back = Qt::white;
    QColor m_text = Qt::black;
    qint16 m_wantedSpeed = 0;
    qint16 m_wantedAccuracy = 0;
    double m_speedTop = 10; // the speed at the top of the plot
    QString m_speedText;
    QString m_accuracyText;
};
