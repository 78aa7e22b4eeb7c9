#include "SetupTestSupport.h"

#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/ProgramGroup.h"
#include "setup/mdlSetup.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace setuptest {

DialogScript::DialogScript()
{
    platform::setDialogAnswererForTesting([this](const platform::DialogRequest &request) {
        requests.append(request);
        platform::DialogAnswer answer;
        if (!m_answers.isEmpty())
            answer.button = m_answers.takeFirst();
        return answer;
    });
}

DialogScript::~DialogScript()
{
    platform::setDialogAnswererForTesting({});
}

EndRecorder::EndRecorder()
{
    platform::setEndProgramForTesting([this](int code) { exitCodes.append(code); });
    setSleepForTesting([this](int) { ++sleeps; });
}

EndRecorder::~EndRecorder()
{
    platform::setEndProgramForTesting({});
    setSleepForTesting({});
}

MenuRecorder::MenuRecorder(bool result)
{
    platform::setMenuInstallerForTesting([this, result](const QStringList &arguments) {
        runs.append(arguments);
        fileTexts.clear();
        for (const QString &argument : arguments) {
            if (!argument.startsWith(QLatin1Char('/')))
                continue;
            fileTexts.append(QString::fromUtf8(readAll(argument)));
            QProcess validate;
            validate.start(QStringLiteral("desktop-file-validate"), {argument});
            if (!validate.waitForFinished() || validate.exitCode() != 0)
                invalid.append(argument + QLatin1Char(' ') + validate.errorString() +
                               QString::fromUtf8(validate.readAll()));
        }
        return result;
    });
}

MenuRecorder::~MenuRecorder()
{
    platform::setMenuInstallerForTesting({});
}

InstallScratch::InstallScratch()
    : m_dir(qEnvironmentVariable("KZ_TEST_SCRATCH", QDir::tempPath()) + "/setup-XXXXXX")
{
    QDir().mkpath(setupFolder());
    platform::setProgramFolderForTesting(setupFolder());
    platform::setSystemFolderForTesting(systemFolder());
}

InstallScratch::~InstallScratch()
{
    platform::setProgramFolderForTesting({});
    platform::setSystemFolderForTesting({});
}

QString InstallScratch::root() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString InstallScratch::setupFolder() const
{
    return root() + QStringLiteral("cdrom/");
}

QString InstallScratch::systemFolder() const
{
    return root() + QStringLiteral("home/.local/lib");
}

void InstallScratch::stageShippedFiles(bool withLibrary)
{
    writeFile(setupFolder() + "KZ.EX_", "\x7f"
                                        "ELF tutor");
    QFile::setPermissions(setupFolder() + "KZ.EX_", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                        QFileDevice::ExeGroup);
    writeFile(setupFolder() + "ReadMe.TXT", "read me");
    writeFile(setupFolder() + "Arabic.TXT", "نص عربي");
    writeFile(setupFolder() + "English.TXT", "English text");
    if (withLibrary)
        writeFile(setupFolder() + "Vbame.dll", "library");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace setuptest
