#pragma once

#include "users/ProfileFile.h"

#include <QString>
#include <QVariant>

#include <functional>

// How a password answer is judged, at login and before a protected profile is deleted: the answer
// trimmed of its blanks, compared with the password the file holds now; an empty one gives up.
enum class PasswordAnswer
{
    Right,
    Wrong,
    Empty
};
PasswordAnswer JudgePassword(ProfileFile &file, const QString &sAnswer);

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
        Failed          // sReason says why (a hard link to the profile among the reasons)
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
    // Preferences of ours that the profile has no field for, kept per learner in the desktop's
    // settings folder (XDG config), never in the profile file.
    QVariant GetPreference(const QString &sKey, const QVariant &vDefault = {}) const;
    void SetPreference(const QString &sKey, const QVariant &vValue);
    // The same for a learner by name, logged in or not; a deleted learner's all go, so a new
    // profile of that name starts afresh.
    static QVariant PreferenceOf(const QString &sName, const QString &sKey, const QVariant &vDefault = {});
    static void SetPreferenceOf(const QString &sName, const QString &sKey, const QVariant &vValue);
    static void ForgetPreferences(const QString &sName);
    void SetSettings(const QString &sSection, const QString &sItem, const QVariant &vNewValue);
    qint16 ConvSpeed(qint16 speed, QString &unitLabel);
    // A speed as the screens write it: " value unit." in the learner's unit.
    QString SpeedText(qint16 speed);
    // The same for a unit given (words of five letters, or letters), for profiles nobody logged into.
    static qint16 ConvSpeed(qint16 speed, bool bWords, QString &unitLabel);
    static QString SpeedText(qint16 speed, bool bWords);
    // What a setting's flag byte in the profile means, as GetSettings answers it.
    static QVariant SettingOfFlag(int offset, char flag);
    qint16 GetWantedSpeed();
    qint16 GetWantedAccuracy();

    // The result slots of the lesson tests, read and written by the lesson controller.
    qint16 ReadInteger(int offset) { return m_file.readInt16(offset); }
    void WriteInteger(int offset, qint16 value);
    // A test's slot: its speed and the accuracy after it, in one write, so a stop never leaves the
    // two from different tests.
    void WriteTestSlot(int offset, qint16 iSpeed, qint16 iAccuracy);

    bool IsLanguageArabic()
    {
        return GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    }
    // While set, every reader of the training language sees English (the number drill, whose keys
    // are the same in both); the profile keeps the learner's own, so a kill leaves nothing behind.
    void SetEnglishForDrill(bool bEnglish) { m_bEnglishForDrill = bEnglish; }

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
    void reportWrite(bool written, const QString &error);

    ProfileFile m_file;
    bool m_bEnglishForDrill = false;
    std::function<void(const QString &)> m_onWriteFailure;
};

cUser &theUser();

// Set by a successful login; typing pads created afterwards read the user's settings at once.
extern bool bLoggedIn;

// Colour values as the profile's display setting gives them, in blue-green-red byte order.
constexpr qint32 kBlackBackground = 0x000000;
constexpr qint32 kLightBackground = 0xC0FFC0;
