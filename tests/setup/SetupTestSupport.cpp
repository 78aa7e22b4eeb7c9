#include "SetupTestSupport.h"

#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/ProgramGroup.h"
#include "setup/frmCopyFailed.h"
#include "setup/mdlSetup.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

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

bool insideOwnMounts()
{
    return qEnvironmentVariableIsSet("KZ_TEST_OWN_MOUNTS");
}

QString runInOwnMounts()
{
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        function += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KZ_TEST_OWN_MOUNTS", "1");
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    // --map-root-user: whoever runs the tests becomes root of the new namespace, so mount works.
    run.start("unshare",
              {"--user", "--map-root-user", "--mount", QCoreApplication::applicationFilePath(), function});
    if (!run.waitForFinished(60000))
        return "unshare did not finish: " + run.errorString();
    if (run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0)
        return {};
    return "in own mounts (status " + QString::number(run.exitCode()) + "):\n" +
           QString::fromUtf8(run.readAll());
}

TmpfsMount::TmpfsMount(const QString &folder, const QString &options) : m_folder(folder)
{
    m_mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        QProcess::execute("umount", {m_folder});
}

FailureBoxReader::FailureBoxReader() : m_poll(new QTimer)
{
    m_poll->setInterval(10);
    QObject::connect(m_poll, &QTimer::timeout, [this] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *report = qobject_cast<frmCopyFailed *>(widget);
            if (!report || !report->isVisible())
                continue;
            ++shown;
            lines = report->txtFiles->toPlainText().split(QLatin1Char('\n'));
            box = report->frameGeometry();
            screen = report->screen()->availableGeometry();
            okButton = QRect(report->cmdOK->mapToGlobal(QPoint(0, 0)), report->cmdOK->size());
            listScrolls = report->txtFiles->verticalScrollBar()->maximum() > 0;
            report->cmdOK->click();
        }
    });
    m_poll->start();
}

FailureBoxReader::~FailureBoxReader()
{
    delete m_poll;
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
