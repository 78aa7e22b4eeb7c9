#include "platform/ProgramGroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace platform {

namespace {
std::function<bool(const QStringList &)> &menuInstaller()
{
    static std::function<bool(const QStringList &)> installer;
    return installer;
}

// A menu tool that hangs must not hang the caller for ever.
constexpr int kMenuToolTimeoutMs = 30000;

bool runMenuTool(const QStringList &arguments)
{
    if (menuInstaller())
        return menuInstaller()(arguments);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-desktop-menu"));
    if (tool.isEmpty())
        return false;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(kMenuToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// File names take only ASCII letters and digits of a name; the menu shows the Name= entry.
QString fileNamePart(const QString &name, const QString &fallback)
{
    QString part;
    for (const QChar c : name) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            part += c;
    }
    return part.isEmpty() ? fallback : part;
}

// One argument of an Exec= line: quoted, with the characters the desktop entry format reserves
// inside quotes escaped, then the backslashes of the string value itself doubled.
QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Values of desktop entries are one line each.
QString entryValue(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return value;
}

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}
} // namespace

bool ProgramGroup::execute(const QString &command)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*\\[\\s*(\\w+)\\s*\\((.*)\\)\\s*\\]\\s*$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(command);
    if (!match.hasMatch())
        return false;
    const QString verb = match.captured(1);
    const QString arguments = match.captured(2);
    if (verb.compare(QStringLiteral("CreateGroup"), Qt::CaseInsensitive) == 0) {
        const QString name = arguments.trimmed();
        if (name.isEmpty())
            return false;
        m_group = name;
        m_items.clear();
        return true;
    }
    if (verb.compare(QStringLiteral("Additem"), Qt::CaseInsensitive) == 0) {
        // A folder may hold a comma; an item name here never does, so the last comma separates them.
        const qsizetype comma = arguments.lastIndexOf(QLatin1Char(','));
        if (m_group.isEmpty() || comma <= 0)
            return false;
        const QString path = arguments.left(comma).trimmed();
        const QString name = arguments.mid(comma + 1).trimmed();
        if (path.isEmpty())
            return false;
        m_items.append({path, name.isEmpty() ? QFileInfo(path).fileName() : name});
        return true;
    }
    return false;
}

bool ProgramGroup::describeItem(const QString &path, const QString &icon, const QString &windowClass,
                                const QString &comment)
{
    for (Item &item : m_items) {
        if (item.path == path) {
            item.icon = icon;
            item.windowClass = windowClass;
            item.comment = comment;
            return true;
        }
    }
    return false;
}

QString desktopEntryForItem(const ProgramGroup::Item &item)
{
    const QFileInfo info(item.path);
    // Desktops that show no groups (GNOME's overview, most launchers) file an entry by its
    // categories, and under "Other" without them; the group is the tutor's, an educational one.
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + entryValue(item.name) +
                    QStringLiteral("\nCategories=Education;Languages;\n");
    if (!item.comment.isEmpty())
        entry += QStringLiteral("Comment=") + entryValue(item.comment) + QLatin1Char('\n');
    if (!item.icon.isEmpty())
        entry += QStringLiteral("Icon=") + entryValue(item.icon) + QLatin1Char('\n');
    if (!item.windowClass.isEmpty())
        entry += QStringLiteral("StartupWMClass=") + entryValue(item.windowClass) + QLatin1Char('\n');
    const bool program = info.suffix().compare(QStringLiteral("EXE"), Qt::CaseInsensitive) == 0 ||
                         (info.isFile() && info.isExecutable());
    if (program) {
        entry += QStringLiteral("Exec=") + execArgument(item.path) + QLatin1Char('\n');
        entry += QStringLiteral("Path=") + entryValue(info.absolutePath()) + QLatin1Char('\n');
    } else {
        // GNOME ignores Type=Link entries, so a document is an application that opens it.
        entry += QStringLiteral("Exec=xdg-open ") + execArgument(item.path) + QLatin1Char('\n');
    }
    return entry;
}

bool ProgramGroup::finish()
{
    if (m_group.isEmpty())
        return false;
    // xdg-desktop-menu splits its file arguments at blanks, and the default temporary folder is
    // named after the application, which may hold one.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tavrin-menu-XXXXXX"));
    if (!folder.isValid())
        return false;
    const QString prefix = QStringLiteral("tavrin-") + fileNamePart(m_group, QStringLiteral("group"));
    const QString directoryFile = folder.filePath(prefix + QStringLiteral(".directory"));
    if (!writeFile(directoryFile, QStringLiteral("[Desktop Entry]\nType=Directory\nName=") +
                                      entryValue(m_group) + QLatin1Char('\n')))
        return false;
    QStringList arguments = {QStringLiteral("install"), QStringLiteral("--mode"), QStringLiteral("user"),
                             directoryFile};
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const QString itemFile =
            folder.filePath(prefix + QLatin1Char('-') + QString::number(i + 1) + QStringLiteral(".desktop"));
        if (!writeFile(itemFile, desktopEntryForItem(m_items.at(i))))
            return false;
        arguments.append(itemFile);
    }
    return runMenuTool(arguments);
}

void setMenuInstallerForTesting(std::function<bool(const QStringList &arguments)> installer)
{
    menuInstaller() = std::move(installer);
}

} // namespace platform
