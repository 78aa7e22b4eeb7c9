#include "support/TestSupport.h"

#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/Accessibility.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/KeyboardLayout.h"
#include "platform/Process.h"
#include "platform/Random.h"
#include "platform/SafeFile.h"
#include "platform/SyncWriter.h"
#include "sound/cSounds.h"
#include "speech/cSpeech.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// Every test starts with the application objects made and wired, as Main makes them.
Q_CONSTRUCTOR_FUNCTION(MakeApplicationObjects)

namespace testsupport {

ScratchFolder::ScratchFolder()
{
    const QString base = qEnvironmentVariable("KZ_TEST_SCRATCH", QDir::tempPath());
    QDir().mkpath(base);
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/folder-XXXXXX"));
    platform::setProgramFolderForTesting(path());
}

QString ScratchFolder::path() const
{
    return m_dir->path() + QLatin1Char('/');
}

QString ScratchFolder::filePath(const QString &name) const
{
    return path() + name;
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(QFile::encodeName(folder))
{
    const char *path = m_folder.constData();
    if (::geteuid() != 0) {
        m_readOnly = ::chmod(path, 0555) == 0;
        return;
    }
    // The namespace stays the process's own; its mounts never reach the rest of the machine.
    static const bool privateMounts =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    m_mounted = privateMounts && ::mount(path, path, nullptr, MS_BIND, nullptr) == 0;
    m_readOnly = m_mounted && ::mount(nullptr, path, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        ::umount2(m_folder.constData(), MNT_DETACH);
    else if (m_readOnly)
        ::chmod(m_folder.constData(), 0755);
}

DialogScript::DialogScript()
{
    platform::setDialogAnswererForTesting([this](const platform::DialogRequest &request) {
        requests.append(request);
        if (m_answers.isEmpty())
            return platform::DialogAnswer{platform::AnswerOk, QString()};
        return m_answers.takeFirst();
    });
}

DialogScript::~DialogScript()
{
    platform::setDialogAnswererForTesting({});
}

void DialogScript::answer(int button)
{
    m_answers.append({button, QString()});
}

void DialogScript::answerInput(const QString &text)
{
    m_answers.append({text.isEmpty() ? platform::AnswerCancel : platform::AnswerOk, text});
}

BeepCounter::BeepCounter()
{
    platform::setBeepHandler([this] { ++count; });
}

BeepCounter::~BeepCounter()
{
    platform::setBeepHandler({});
}

SpeechRecorder::SpeechRecorder()
{
    cSpeech::SetEngineForTesting(this);
}

SpeechRecorder::~SpeechRecorder()
{
    cSpeech::SetEngineForTesting(nullptr);
}

void SpeechRecorder::Say(const Utterance &parts)
{
    for (const SpokenPart &part : parts)
        said.append((part.bArabic ? QStringLiteral("ar: ") : QStringLiteral("en: ")) + part.sText);
}

ScreenReaderRecorder::ScreenReaderRecorder()
{
    platform::setScreenReaderHandler([this](QAccessibleEvent &event) {
        QString told;
        switch (event.type()) {
        case QAccessible::TextInserted: {
            const auto &inserted = static_cast<QAccessibleTextInsertEvent &>(event);
            told = QStringLiteral("insert %1 %2").arg(inserted.changePosition()).arg(inserted.textInserted());
            break;
        }
        case QAccessible::TextRemoved: {
            const auto &removed = static_cast<QAccessibleTextRemoveEvent &>(event);
            told = QStringLiteral("remove %1 %2").arg(removed.changePosition()).arg(removed.textRemoved());
            break;
        }
        case QAccessible::TextUpdated:
            told = QStringLiteral("update");
            break;
        case QAccessible::TextCaretMoved:
            told = QStringLiteral("caret %1")
                       .arg(static_cast<QAccessibleTextCursorEvent &>(event).cursorPosition());
            break;
        case QAccessible::NameChanged:
            told = QStringLiteral("name");
            break;
        case QAccessible::DescriptionChanged:
            told = QStringLiteral("description");
            break;
        case QAccessible::TableModelChanged:
            told = QStringLiteral("table");
            break;
        default:
            told = QString::number(int(event.type()));
        }
        m_told.append({event.object(), told});
    });
}

ScreenReaderRecorder::~ScreenReaderRecorder()
{
    platform::setScreenReaderHandler({});
}

QStringList ScreenReaderRecorder::toldBy(const QObject *object) const
{
    QStringList told;
    for (const auto &[from, what] : m_told) {
        if (from == object)
            told.append(what);
    }
    return told;
}

ManualClock::ManualClock(double start) : now(start)
{
    platform::setClockForTesting([this] { return now; });
}

ManualClock::~ManualClock()
{
    platform::setClockForTesting({});
}

ProcessRecorder::ProcessRecorder()
{
    platform::setStartDetachedForTesting([this](const QString &program) {
        started.append(program);
        return true;
    });
    platform::setEndProgramForTesting([this](int) { ++ends; });
}

ProcessRecorder::~ProcessRecorder()
{
    platform::setStartDetachedForTesting({});
    platform::setEndProgramForTesting({});
}

Sandbox::~Sandbox()
{
    resetApplication();
}

void createProfile(const QString &name, int wordsPerMinute, int accuracy)
{
    ProfileFile::create(platform::profileFolder() + name + QLatin1String(ProfileFile::kExtension),
                        qint16(accuracy), qint16(wordsPerMinute * 5));
}

void createAndLogIn(const QString &name, int wordsPerMinute, int accuracy)
{
    createProfile(name, wordsPerMinute, accuracy);
    // As after a login on the user list: the main window comes up and hosts the screens.
    if (theUser().LogIn(name))
        Window<frmMain>().show();
}

void createProtectedProfile(const QString &name, const QString &password)
{
    createAndLogIn(name);
    theUser().SetSettings(QStringLiteral("User"), QStringLiteral("Pass"), password);
    resetApplication();
}

void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void setSetting(const char *section, const char *item, const QString &value)
{
    theUser().SetSettings(QString::fromLatin1(section), QString::fromLatin1(item), value);
}

QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\n') ||
                   (c == QLatin1Char('\r') && text.mid(i, 2) == QLatin1String("\r\n"))) {
            if (c == QLatin1Char('\r'))
                ++i;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty()) {
        record.append(field);
        records.append(record);
    }
    return records;
}

void resetApplication()
{
    // Nothing of one test's syncs reaches the next: they end here, and what they had to tell is dropped.
    platform::waitForSyncs(false);
    platform::setDiskCallHookForTesting({});
    WindowRegistry::UnloadAll();
    theSounds().SetOn(false);
    MakeApplicationObjects();
    platform::setRandomSequenceForTesting({});
    platform::loadKeyboardLayout(QString::fromLatin1(platform::kEnglishLayout));
    platform::setRequiredLibraryForTesting(QString());
    platform::setSystemFolderForTesting(QString());
    platform::setWriteErrorForTesting(0);
    platform::setCreateStepHookForTesting({});
}

QByteArray historyRecordVersion1(const HistoryRecord &record)
{
    QByteArray body = cHistory::Encode(record).mid(4, 1 + 8 + 5 + 4 + 2);
    body[0] = 1;
    for (const HistoryRecord::KeyCount &key : record.keys) {
        for (quint16 value : {quint16(key.cKey.unicode()), key.iWanted, key.iMissed})
            body += QByteArray(1, char(value & 0xFF)) + char(value >> 8);
    }
    QByteArray out = QByteArray("KH") + char(body.size() & 0xFF) + char(body.size() >> 8) + body;
    const quint32 crc = cHistory::Crc32(out.constData() + 2, out.size() - 2);
    for (int shift = 0; shift < 32; shift += 8)
        out += char((crc >> shift) & 0xFF);
    return out;
}

} // namespace testsupport
