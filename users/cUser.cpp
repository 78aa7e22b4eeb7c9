#include "users/cUser.h"

#include "app/Blanks.h"
#include "app/Int16.h"
#include "app/Scrambling.h"
#include "app/StringTable.h"
#include "platform/CodePage1256.h"
#include "platform/Folders.h"

#include <QSettings>
#include <QtEndian>

bool bLoggedIn = false;

cUser &theUser()
{
    static cUser user;
    return user;
}

PasswordAnswer JudgePassword(ProfileFile &file, const QString &sAnswer)
{
    const QString answer = TrimBlanks(sAnswer);
    if (answer == file.password())
        return PasswordAnswer::Right;
    return answer.isEmpty() ? PasswordAnswer::Empty : PasswordAnswer::Wrong;
}

int cUser::flagOffset(const QString &sSection, const QString &sItem) const
{
    if (sSection == QLatin1String("General")) {
        if (sItem == QLatin1String("Lang"))
            return ProfileFile::kLangOffset;
        if (sItem == QLatin1String("Sound"))
            return ProfileFile::kSoundOffset;
        if (sItem == QLatin1String("Back"))
            return ProfileFile::kBackOffset;
        if (sItem == QLatin1String("Unit"))
            return ProfileFile::kUnitOffset;
    } else if (sSection == QLatin1String("View")) {
        if (sItem == QLatin1String("Errors"))
            return ProfileFile::kErrorsOffset;
        if (sItem == QLatin1String("BKColor"))
            return ProfileFile::kBackColorOffset;
        if (sItem == QLatin1String("Size"))
            return ProfileFile::kSizeOffset;
    }
    return -1;
}

void cUser::reportWrite(bool written, const QString &error)
{
    // With no profile open there is nothing to write to: no learner is logged in.
    if (!written && m_file.isOpen() && m_onWriteFailure)
        m_onWriteFailure(error);
}

cUser::LogInOutcome cUser::LogIn(const QString &sName)
{
    QString error;
    switch (m_file.open(platform::profileFolder() + sName + QLatin1String(ProfileFile::kExtension), &error)) {
    case ProfileFile::OpenResult::Opened:
        break;
    case ProfileFile::OpenResult::Missing:
        // Vanished since the list was filled: never recreated empty.
        return {LogInResult::Missing, QString()};
    case ProfileFile::OpenResult::InUse:
        return {LogInResult::InUse, QString()};
    case ProfileFile::OpenResult::Failed:
        return {LogInResult::Failed, error};
    }
    if (m_file.hasOtherNames()) {
        m_file.close();
        return {LogInResult::Failed, QStringLiteral("The file has another name (a hard link)")};
    }
    sUserName = sName;
    if (!m_file.password().isEmpty())
        return {LogInResult::PasswordWanted, QString()};
    bLoggedIn = true;
    return {LogInResult::LoggedIn, QString()};
}

cUser::LogInResult cUser::GivePassword(const QString &sAnswer)
{
    switch (JudgePassword(m_file, sAnswer)) {
    case PasswordAnswer::Right:
        bLoggedIn = true;
        return LogInResult::LoggedIn;
    case PasswordAnswer::Empty:
        m_file.close();
        sUserName.clear();
        return LogInResult::Cancelled;
    case PasswordAnswer::Wrong:
        break;
    }
    return LogInResult::WrongPassword;
}

QVariant cUser::GetSettings(const QString &sSection, const QString &sItem)
{
    if (sSection == QLatin1String("User") && sItem == QLatin1String("Pass"))
        return m_file.password();
    const int offset = flagOffset(sSection, sItem);
    if (offset < 0)
        return QVariant();
    if (offset == ProfileFile::kLangOffset && m_bEnglishForDrill)
        return QStringLiteral("En");
    return SettingOfFlag(offset, m_file.readByte(offset));
}

QVariant cUser::SettingOfFlag(int offset, char flag)
{
    switch (offset) {
    case ProfileFile::kLangOffset:
        return flag == 'E' ? QStringLiteral("En") : QStringLiteral("Ar");
    case ProfileFile::kUnitOffset:
        return flag == 'W' ? QStringLiteral("WPM") : QStringLiteral("LPM");
    case ProfileFile::kSizeOffset:
        return flag == 'B' ? QStringLiteral("Big") : QStringLiteral("Small");
    case ProfileFile::kBackColorOffset:
        return flag == 'B' ? kBlackBackground : kLightBackground;
    default:
        return flag == 'T';
    }
}

void cUser::SetSettings(const QString &sSection, const QString &sItem, const QVariant &vNewValue)
{
    if (sSection == QLatin1String("User")) {
        if (sItem == QLatin1String("Pass")) {
            // Cut or pad to the field's 10 characters, scramble, pad the scrambled text again.
            const QString password = vNewValue.toString()
                                         .left(ProfileFile::kPassLength)
                                         .leftJustified(ProfileFile::kPassLength, QLatin1Char(' '));
            QByteArray bytes = platform::toCodePage1256(ScrambleText(password));
            bytes = bytes.left(ProfileFile::kPassLength).leftJustified(ProfileFile::kPassLength, ' ');
            QString error;
            reportWrite(m_file.writeBytes(ProfileFile::kPassOffset, bytes, &error), error);
        } else if (sItem == QLatin1String("Speed")) {
            WriteInteger(ProfileFile::kSpeedOffset, RoundToInt16(vNewValue.toDouble()));
        } else if (sItem == QLatin1String("Accuracy")) {
            WriteInteger(ProfileFile::kAccuracyOffset, RoundToInt16(vNewValue.toDouble()));
        }
        return;
    }
    const int offset = flagOffset(sSection, sItem);
    if (offset < 0)
        return;
    const QString text = vNewValue.toString();
    const QByteArray first = platform::toCodePage1256(text.left(1));
    QString error;
    reportWrite(m_file.writeByte(offset, first.isEmpty() ? ' ' : first.at(0), &error), error);
}

void cUser::WriteInteger(int offset, qint16 value)
{
    QString error;
    reportWrite(m_file.writeInt16(offset, value, &error), error);
}

void cUser::WriteTestSlot(int offset, qint16 iSpeed, qint16 iAccuracy)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(iSpeed, bytes.data());
    qToLittleEndian(iAccuracy, bytes.data() + 2);
    // Synced on the writer thread: a test's end never waits for the disk.
    QString error;
    reportWrite(m_file.writeBytesSyncLater(offset, bytes, &error,
                                           [this](const QString &sError) {
                                               if (!sError.isEmpty() && m_onWriteFailure)
                                                   m_onWriteFailure(sError);
                                           }),
                error);
}

qint16 cUser::ConvSpeed(qint16 speed, QString &unitLabel)
{
    return ConvSpeed(speed,
                     GetSettings(QStringLiteral("General"), QStringLiteral("Unit")) == QStringLiteral("WPM"),
                     unitLabel);
}

qint16 cUser::ConvSpeed(qint16 speed, bool bWords, QString &unitLabel)
{
    if (bWords) {
        unitLabel = LoadResString(resid::kWordsPerMinute);
        return IntDiv16(speed, 5);
    }
    unitLabel = LoadResString(resid::kLettersPerMinute);
    return speed;
}

QString cUser::SpeedText(qint16 speed)
{
    return SpeedText(speed,
                     GetSettings(QStringLiteral("General"), QStringLiteral("Unit")) == QStringLiteral("WPM"));
}

QString cUser::SpeedText(qint16 speed, bool bWords)
{
    QString unit;
    const qint16 shown = ConvSpeed(speed, bWords, unit);
    return QLatin1Char(' ') + QString::number(shown) + QLatin1Char(' ') + unit + QLatin1Char('.');
}

qint16 cUser::GetWantedSpeed()
{
    return m_file.readInt16(ProfileFile::kSpeedOffset);
}

qint16 cUser::GetWantedAccuracy()
{
    return m_file.readInt16(ProfileFile::kAccuracyOffset);
}

void cUser::LogOut()
{
    m_file.close();
    sUserName.clear();
    m_bEnglishForDrill = false;
    bLoggedIn = false;
}

namespace {
QSettings learnerSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("Learners"));
}
} // namespace

QVariant cUser::GetPreference(const QString &sKey, const QVariant &vDefault) const
{
    return PreferenceOf(sUserName, sKey, vDefault);
}

void cUser::SetPreference(const QString &sKey, const QVariant &vValue)
{
    SetPreferenceOf(sUserName, sKey, vValue);
}

QVariant cUser::PreferenceOf(const QString &sName, const QString &sKey, const QVariant &vDefault)
{
    if (sName.isEmpty())
        return vDefault;
    return learnerSettings().value(sName + QLatin1Char('/') + sKey, vDefault);
}

void cUser::SetPreferenceOf(const QString &sName, const QString &sKey, const QVariant &vValue)
{
    if (sName.isEmpty())
        return;
    QSettings settings = learnerSettings();
    settings.setValue(sName + QLatin1Char('/') + sKey, vValue);
    settings.sync();
}

void cUser::ForgetPreferences(const QString &sName)
{
    if (sName.isEmpty())
        return;
    QSettings settings = learnerSettings();
    settings.remove(sName);
    settings.sync();
}
