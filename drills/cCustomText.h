#pragma once

#include <QString>
#include <QStringList>

// The test texts of the custom lessons, read from a text file the learner picked.

// Where the test file is: the folder, a "/" unless it already ends with one, and the file name.
QString TestFilePath(const QString &sFolder, const QString &sFileName);

// The test text of a file: its first 64 KiB, read as UTF-8 when that is valid and as code page 1256
// otherwise; each line end (CR LF, a lone LF or a lone CR), backspace and tab becomes a space, and
// every other control (Cc) or format (Cf) character is dropped. A file that is missing, unreadable
// or not a file gives an empty text.
QString ReadTestText(const QString &sPath);

// The most of a file a test reads.
constexpr qint64 kMaxTestFileBytes = 64 * 1024;
