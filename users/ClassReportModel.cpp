#include "users/ClassReportModel.h"

ClassReportModel::ClassReportModel(QObject *parent) : QAbstractTableModel(parent) {}

void ClassReportModel::SetRows(QList<ClassReportRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ClassReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ClassReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : cClassReport::ColumnCount;
}

QColor ClassReportModel::CellColour(cClassReport::CellState state)
{
    switch (state) {
    case cClassReport::CellState::Passed:
        return QColor(0xd8, 0xf0, 0xd8);
    case cClassReport::CellState::NotPassed:
        return QColor(0xfb, 0xe6, 0xc4);
    case cClassReport::CellState::Unreadable:
        return QColor(0xf6, 0xd0, 0xd0);
    case cClassReport::CellState::Plain:
        break;
    }
    return QColor();
}

Qt::Alignment ClassReportModel::CellAlignment(int column)
{
    switch (column) {
    case cClassReport::Name:
    case cClassReport::NextLesson:
    case cClassReport::Note:
        return Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    default:
        return Qt::AlignCenter;
    }
}

QVariant ClassReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ClassReportRow &row = m_rows.at(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cClassReport::Text(row, column);
    case Qt::ToolTipRole:
        if (column >= cClassReport::Lesson1 && column <= cClassReport::Lesson6)
            return cClassReport::LessonDetail(row, column - cClassReport::Lesson1 + 1);
        if (column == cClassReport::Note)
            return row.sNote;
        return QVariant();
    case Qt::BackgroundRole: {
        const QColor colour = CellColour(cClassReport::State(row, column));
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(CellAlignment(column));
    case SortRole:
        return cClassReport::SortKey(row, column);
    case LanguageRole:
        return !row.bReadable ? QStringLiteral("*") : row.bArabic ? QStringLiteral("A") : QStringLiteral("E");
    default:
        return QVariant();
    }
}

QVariant ClassReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return cClassReport::Header(section);
    if (role == Qt::ToolTipRole) {
        const QString hint = cClassReport::HeaderHint(section);
        return hint.isEmpty() ? QVariant() : QVariant(hint);
    }
    return QVariant();
}

ClassReportSortModel::ClassReportSortModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(ClassReportModel::SortRole);
    setFilterRole(ClassReportModel::LanguageRole);
    setSortLocaleAware(true);
}

bool ClassReportSortModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.isValid() != b.isValid()) {
        // An unknown value stays last: the greater one when ascending, the smaller when descending.
        return sortOrder() == Qt::AscendingOrder ? a.isValid() : b.isValid();
    }
    if (!a.isValid())
        return false;
    return QSortFilterProxyModel::lessThan(left, right);
}
