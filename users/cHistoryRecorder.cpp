#include "users/cHistoryRecorder.h"

#include "platform/Folders.h"
#include "users/cUser.h"

#include <QDateTime>

cHistoryRecorder &theHistory()
{
    static cHistoryRecorder recorder;
    return recorder;
}

void cHistoryRecorder::Record(HistoryRecord record)
{
    cUser &user = theUser();
    if (user.sUserName.isEmpty())
        return;
    record.iTime = QDateTime::currentMSecsSinceEpoch();
    record.bArabic = user.IsLanguageArabic();
    QString reason;
    if (!cHistory::Append(cHistory::PathFor(platform::programFolder(), user.sUserName), record, &reason,
                          [this](const QString &sError) { Told(sError); }))
        Told(reason);
}

void cHistoryRecorder::Told(const QString &sError)
{
    if (sError.isEmpty()) {
        m_failing = false;
        return;
    }
    if (m_failing)
        return;
    m_failing = true;
    if (m_onFailure)
        m_onFailure(sError);
}
