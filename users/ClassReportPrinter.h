#pragma once

#include "users/cClassReport.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;

// The class report on paper or in a PDF: landscape pages read right to left, each with the
// teacher's title line, the folder and the date above the table, the table's header repeated, and
// "page n of m" below. A table wider than the page is drawn smaller to fit; a row is never split.
class ClassReportPrinter
{
public:
    struct Heading
    {
        QString sTitle;    // the teacher's own line, e.g. the school and the class
        QString sSubtitle; // the folder, the date, the language shown
    };

    // Prepares a device for the report: A4 landscape with margins of 10 mm.
    static void SetUpPage(QPagedPaintDevice &device);
    // Paints every page; false when the device could not be painted on (`error` says so).
    static bool Paint(QPagedPaintDevice &device, const Heading &heading, const QList<ClassReportRow> &rows,
                      QString *error = nullptr);
    // A PDF of the report, written whole or not at all.
    static bool SavePdf(const QString &path, const Heading &heading, const QList<ClassReportRow> &rows,
                        QString *error = nullptr);
};
