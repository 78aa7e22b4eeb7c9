#pragma once

#include "users/ProfileFile.h"

#include <QString>
#include <QVariant>

// The logged-in learner. Holds no copy of the profile: every query reads the file, every change
// writes it, and the file stays open from login to the end of the process.
class cUser
{
public:
    QString sUserName;

    bool LogIn(const QString &sName);
    QVariant GetSettings(const QString &sSection, const QString &sItem);
    void SetSettings(const QString &sSection, const QString &sItem, const QVariant &vNewValue);
    qint16 ConvSpeed(qint16 speed, QString &unitLabel);
    qint16 GetWantedSpeed();
    qint16 GetWantedAccuracy();

    // The result slots of the lesson tests, read and written by the lesson controller.
    qint16 ReadInteger(int offset) { return m_file.readInt16(offset); }
    void WriteInteger(int offset, qint16 value) { m_file.writeInt16(offset, value); }

    bool IsLanguageArabic()
    {
        return GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    }

    // Closes the profile and forgets the learner; used between tests.
    void LogOut();

private:
    int flagOffset(const QString &sSection, const QString &sItem) const;
    QString readPassword();

    ProfileFile m_file;
};

cUser &theUser();

// Colour values as the profile's display setting gives them, in blue-green-red byte order.
constexpr qint32 kBlackBackground = 0x000000;
constexpr qint32 kLightBackground = 0xC0FFC0;
