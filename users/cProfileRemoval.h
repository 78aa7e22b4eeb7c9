#pragma once

#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QString>

// Deleting a learner's profile from the user list. The profile is opened and locked first, as a login
// opens it, and held until its name is gone: a profile another tutor holds is never deleted, and no
// tutor can log in to it while its password is asked or the deletion confirmed.
class cProfileRemoval
{
public:
    enum class Result
    {
        Ready,          // Remove may follow
        PasswordWanted, // a protected profile: GivePassword until it is right
        Missing,        // no such profile (any more)
        InUse,          // another tutor holds it
        Failed          // sReason says why
    };

    Result Open(const QString &sFolder, const QString &sName, QString *sReason = nullptr);
    // The same rule as at login.
    PasswordAnswer GivePassword(const QString &sAnswer) { return JudgePassword(m_file, sAnswer); }
    // Removes the profile, then its history and the learner's preferences. False with the reason
    // when the profile stays.
    bool Remove(QString *sReason = nullptr);

private:
    ProfileFile m_file;
    QString m_sName;
    QString m_sHistoryPath;
};
