#pragma once

#include "users/cClassReport.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>

// The class report's rows for a table view: texts, tooltips (a lesson's tests as the results table
// writes them), colours by how a cell stands against the targets, and what each column sorts by.
class ClassReportModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role
    {
        SortRole = Qt::UserRole,
        // "A" or "E" for the row's language, "*" for a profile that cannot be read (shown under every
        // language, never filtered away).
        LanguageRole
    };

    explicit ClassReportModel(QObject *parent = nullptr);

    void SetRows(QList<ClassReportRow> rows);
    const QList<ClassReportRow> &Rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A cell's background in the table and on paper; invalid for none.
    static QColor CellColour(cClassReport::CellState state);
    // Numbers are centred, texts kept to the reading side.
    static Qt::Alignment CellAlignment(int column);

private:
    QList<ClassReportRow> m_rows;
};

// The rows as the table shows them: sorted by a column's sort key, profiles that cannot be read after
// every learner whose values are known in either order, and filtered by language.
class ClassReportSortModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit ClassReportSortModel(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};
