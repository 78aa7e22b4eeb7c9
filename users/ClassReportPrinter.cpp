#include "users/ClassReportPrinter.h"

#include "users/ClassReportModel.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextOption>

#include <algorithm>
#include <numeric>

namespace {

constexpr double kBodyPoints = 8;
constexpr double kTitlePoints = 14;
constexpr double kSubtitlePoints = 9;
// Long texts (a name, a damaged profile's reason) wrap at this width instead of widening the table.
constexpr double kWidestTextPoints = 150;

// What is painted, measured once in device pixels before the first page.
struct Sheet
{
    double dPoint = 1; // device pixels per point
    QFont body;
    QFont bold;
    QFont title;
    QFont subtitle;
    double dScale = 1; // below 1 when the table is wider than the page
    double dWidth = 0; // the page's width and height in the table's (unscaled) units
    double dHeight = 0;
    QList<double> widths;
    double dHeaderHeight = 0;
    QList<double> rowHeights;
    double dTopHeight = 0; // the title block
    double dFooterHeight = 0;
    QList<QPair<int, int>> pages; // first row and row count of each page
};

QFont fontOf(double points, bool bold)
{
    QFont font(QStringLiteral("Noto Sans Arabic UI"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QTextOption cellOption(Qt::Alignment alignment, bool wrap)
{
    QTextOption option(alignment);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    return option;
}

bool wraps(int column)
{
    return column == cClassReport::Name || column == cClassReport::Note;
}

Sheet measure(QPagedPaintDevice &device, const ClassReportPrinter::Heading &heading,
              const QList<ClassReportRow> &rows)
{
    Sheet sheet;
    sheet.dPoint = device.logicalDpiY() / 72.0;
    sheet.body = fontOf(kBodyPoints, false);
    sheet.bold = fontOf(kBodyPoints, true);
    sheet.title = fontOf(kTitlePoints, true);
    sheet.subtitle = fontOf(kSubtitlePoints, false);
    const QFontMetricsF body(sheet.body, &device);
    const QFontMetricsF bold(sheet.bold, &device);
    const double pad = 3 * sheet.dPoint;
    const double widest = kWidestTextPoints * sheet.dPoint;

    for (int column = 0; column < cClassReport::ColumnCount; ++column) {
        double width = bold.horizontalAdvance(cClassReport::Header(column));
        for (const ClassReportRow &row : rows)
            width = std::max(width, body.horizontalAdvance(cClassReport::Text(row, column)));
        if (wraps(column))
            width = std::min(width, widest);
        sheet.widths.append(width + 2 * pad);
    }
    const double tableWidth = std::accumulate(sheet.widths.cbegin(), sheet.widths.cend(), 0.0);
    sheet.dScale = std::min(1.0, device.width() / tableWidth);
    sheet.dWidth = device.width() / sheet.dScale;
    sheet.dHeight = device.height() / sheet.dScale;

    sheet.dHeaderHeight = bold.height() + 2 * pad;
    for (const ClassReportRow &row : rows) {
        double height = body.height();
        for (int column = 0; column < cClassReport::ColumnCount; ++column) {
            if (!wraps(column))
                continue;
            const QRectF box = body.boundingRect(QRectF(0, 0, sheet.widths.at(column) - 2 * pad, 1e6),
                                                 Qt::TextWordWrap, cClassReport::Text(row, column));
            height = std::max(height, box.height());
        }
        sheet.rowHeights.append(height + 2 * pad);
    }
    const QFontMetricsF title(sheet.title, &device);
    const QFontMetricsF subtitle(sheet.subtitle, &device);
    sheet.dTopHeight = (heading.sTitle.isEmpty() ? 0 : title.height()) + subtitle.height() + 6 * sheet.dPoint;
    sheet.dFooterHeight = body.height() + 4 * sheet.dPoint;

    // Whole rows to a page, at least one, under the title block and the header row.
    const double room = sheet.dHeight - sheet.dTopHeight - sheet.dHeaderHeight - sheet.dFooterHeight;
    int first = 0;
    while (first < rows.size() || sheet.pages.isEmpty()) {
        int count = 0;
        double used = 0;
        while (first + count < rows.size() &&
               (count == 0 || used + sheet.rowHeights.at(first + count) <= room)) {
            used += sheet.rowHeights.at(first + count);
            ++count;
        }
        sheet.pages.append({first, count});
        first += count;
    }
    return sheet;
}

void paintRow(QPainter &painter, const Sheet &sheet, double top, double height, bool header,
              const ClassReportRow *row)
{
    const double pad = 3 * sheet.dPoint;
    double right = sheet.dWidth;
    painter.setFont(header ? sheet.bold : sheet.body);
    for (int column = 0; column < cClassReport::ColumnCount; ++column) {
        const double width = sheet.widths.at(column);
        const QRectF cell(right - width, top, width, height);
        QColor fill = header ? QColor(0xdf, 0xe6, 0xef)
                             : ClassReportModel::CellColour(cClassReport::State(*row, column));
        if (fill.isValid())
            painter.fillRect(cell, fill);
        painter.setPen(QColor(0x8a, 0x97, 0xaa));
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        const QString text = header ? cClassReport::Header(column) : cClassReport::Text(*row, column);
        const Qt::Alignment alignment =
            header ? Qt::Alignment(Qt::AlignCenter) : ClassReportModel::CellAlignment(column);
        painter.drawText(cell.adjusted(pad, pad, -pad, -pad), text,
                         cellOption(alignment, !header && wraps(column)));
        right -= width;
    }
}

} // namespace

void ClassReportPrinter::SetUpPage(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

bool ClassReportPrinter::Paint(QPagedPaintDevice &device, const Heading &heading,
                               const QList<ClassReportRow> &rows, QString *error)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("لا يمكن الرسم على الصفحة.");
        return false;
    }
    painter.setLayoutDirection(Qt::RightToLeft);
    const Sheet sheet = measure(device, heading, rows);
    painter.scale(sheet.dScale, sheet.dScale);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop;

    for (qsizetype page = 0; page < sheet.pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        double top = 0;
        if (!heading.sTitle.isEmpty()) {
            painter.setFont(sheet.title);
            const double height = QFontMetricsF(sheet.title, &device).height();
            painter.drawText(QRectF(0, top, sheet.dWidth, height), heading.sTitle, cellOption(right, false));
            top += height;
        }
        painter.setFont(sheet.subtitle);
        const double subtitle = QFontMetricsF(sheet.subtitle, &device).height();
        painter.drawText(QRectF(0, top, sheet.dWidth, subtitle), heading.sSubtitle, cellOption(right, false));
        top = sheet.dTopHeight;

        paintRow(painter, sheet, top, sheet.dHeaderHeight, true, nullptr);
        top += sheet.dHeaderHeight;
        const auto [first, count] = sheet.pages.at(page);
        for (int i = first; i < first + count; ++i) {
            paintRow(painter, sheet, top, sheet.rowHeights.at(i), false, &rows.at(i));
            top += sheet.rowHeights.at(i);
        }

        painter.setFont(sheet.body);
        painter.drawText(QRectF(0, sheet.dHeight - sheet.dFooterHeight, sheet.dWidth, sheet.dFooterHeight),
                         QStringLiteral("صفحة %1 من %2").arg(page + 1).arg(sheet.pages.size()),
                         cellOption(Qt::AlignCenter, false));
    }
    return painter.end();
}

bool ClassReportPrinter::SavePdf(const QString &path, const Heading &heading,
                                 const QList<ClassReportRow> &rows, QString *error)
{
    // The printer writes straight to the file it is given; it prints to a scratch file first, so a
    // failure half way leaves the chosen name as it was, and the whole PDF then replaces it at once.
    QTemporaryDir scratch;
    const QString printed = scratch.filePath(QStringLiteral("report.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setDocName(heading.sTitle.isEmpty() ? heading.sSubtitle : heading.sTitle);
        printer.setCreator(QStringLiteral("Tavrin"));
        SetUpPage(printer);
        if (!scratch.isValid() || !Paint(printer, heading, rows, error)) {
            if (error && error->isEmpty())
                *error = scratch.errorString();
            return false;
        }
    }
    QFile pdf(printed);
    const QByteArray bytes = pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
