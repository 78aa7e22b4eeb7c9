#pragma once

#include <QFile>
#include <QString>

// Kilobytes of `field` ("VmRSS:", "Pss:", ...) summed over the lines of a /proc memory file
// (status has one such line, smaps_rollup one per field); -1 when the file cannot be read.
inline qint64 procKilobytes(const QString &path, const char *field)
{
    QFile proc(path);
    if (!proc.open(QIODevice::ReadOnly))
        return -1;
    qint64 sum = 0;
    for (const QByteArray &line : proc.readAll().split('\n')) {
        if (line.startsWith(field))
            sum += line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return sum;
}
