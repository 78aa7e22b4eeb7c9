#include "users/cProfileRemoval.h"

#include "platform/SafeFile.h"
#include "users/cHistory.h"

cProfileRemoval::Result cProfileRemoval::Open(const QString &sFolder, const QString &sName, QString *sReason)
{
    // A hard link made to another learner's profile may go: removing it removes only its own name.
    switch (m_file.open(sFolder + sName + QLatin1String(ProfileFile::kExtension), sReason)) {
    case ProfileFile::OpenResult::Opened:
        break;
    case ProfileFile::OpenResult::Missing:
        return Result::Missing;
    case ProfileFile::OpenResult::InUse:
        return Result::InUse;
    case ProfileFile::OpenResult::Failed:
        return Result::Failed;
    }
    m_sName = sName;
    m_sHistoryPath = cHistory::PathFor(sFolder, sName);
    return m_file.password().isEmpty() ? Result::Ready : Result::PasswordWanted;
}

bool cProfileRemoval::Remove(QString *sReason)
{
    if (!m_file.removeAndClose(sReason))
        return false;
    // The history goes only once the profile is gone; a learner without one has nothing to remove.
    platform::removeFile(m_sHistoryPath);
    cUser::ForgetPreferences(m_sName);
    return true;
}
