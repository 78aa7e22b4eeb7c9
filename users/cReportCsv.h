#pragma once

#include "users/cClassReport.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The class report as a CSV file for a spreadsheet: UTF-8 with a byte-order mark (so spreadsheets
// read the Arabic as Arabic), commas, CRLF line ends, one row per learner and language, every
// column named in Arabic and English, speeds in each learner's own unit, untaken tests left empty.
class cReportCsv
{
public:
    static QStringList Headers();
    static QStringList Fields(const ClassReportRow &row);
    static QByteArray Encode(const QList<ClassReportRow> &rows);
    // Writes the file whole or leaves what was there; false with the reason.
    static bool Save(const QString &path, const QList<ClassReportRow> &rows, QString *error = nullptr);

    // A field as CSV writes it: quoted when it holds a comma, a quote, a line end or edge blanks.
    static QString Quote(const QString &field);
    // A learner's name begins with =, +, - or @ now and then; a spreadsheet would take it for a
    // formula (and run it), so such a text field is written with an apostrophe before it.
    static QString Defused(const QString &text);
};
