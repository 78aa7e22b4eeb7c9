#pragma once

#include "users/ProfileFile.h"

#include <QString>
#include <QVariant>

#include <functional>

// The logged-in learner. Holds no copy of the profile: every query reads the file, every change
// writes it, and the file stays open from login to the end of the process.
class cUser
{
public:
    QString sUserName;

    // How a login went. A protected profile stays open, and held, while its password is asked.
    enum class LogInResult
    {
        LoggedIn,
        PasswordWanted, // ask, then GivePassword
        WrongPassword,  // ask again
        Cancelled,      // the question was left empty: the profile is closed again
        Missing,        // no such profile (any more)
        InUse,          // another tutor holds it
        Failed          // sReason says why
    };
    struct LogInOutcome
    {
        LogInResult result = LogInResult::Failed;
        QString sReason;
        explicit operator bool() const { return result == LogInResult::LoggedIn; }
    };

    // Opens the profile and holds it; an unprotected one is then logged in.
    LogInOutcome LogIn(const QString &sName);
    // The learner's answer to the password question, trimmed; compared with the password as the file
    // holds it now.
    LogInResult GivePassword(const QString &sAnswer);
    QVariant GetSettings(const QString &sSection, const QString &sItem);
    void SetSettings(const QString &sSection, const QString &sItem, const QVariant &vNewValue);
    qint16 ConvSpeed(qint16 speed, QString &unitLabel);
    // A speed as the screens write it: " value unit." in the learner's unit.
    QString SpeedText(qint16 speed);
    qint16 GetWantedSpeed();
    qint16 GetWantedAccuracy();

    // The result slots of the lesson tests, read and written by the lesson controller.
    qint16 ReadInteger(int offset) { return m_file.readInt16(offset); }
    void WriteInteger(int offset, qint16 value);

    bool IsLanguageArabic()
    {
        return GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    }

    // Closes the profile and forgets the learner.
    void LogOut();

    // Told of every change that did not reach the disk, with the system's reason: a change is never
    // passed over in silence. The windows above show it.
    void SetWriteFailureHandler(std::function<void(const QString &sReason)> handler)
    {
        m_onWriteFailure = std::move(handler);
    }

private:
    int flagOffset(const QString &sSection, const QString &sItem) const;
    QString readPassword();
    void reportWrite(bool written, const QString &error);

    ProfileFile m_file;
    std::function<void(const QString &)> m_onWriteFailure;
};

cUser &theUser();

// Set by a successful login; typing pads created afterwards read the user's settings at once.
extern bool bLoggedIn;

// Colour values as the profile's display setting gives them, in blue-green-red byte order.
constexpr qint32 kBlackBackground = 0x000000;
constexpr qint32 kLightBackground = 0xC0FFC0;
