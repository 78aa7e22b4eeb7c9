#pragma once

#include "users/cHistory.h"

#include <QString>

#include <functional>

// Keeps the logged-in learner's finished practice lines and tests: each record stamped with the time
// and the training language, appended to the history beside the profile at once and synced on the
// writer thread, so the key that ends a line never waits for the disk.
class cHistoryRecorder
{
public:
    void Record(HistoryRecord record);

    // Told when an append or its sync fails, with the system's reason, and not again until one works,
    // so a full disk does not interrupt every line of a practice. The windows above show it.
    void SetFailureHandler(std::function<void(const QString &sReason)> handler)
    {
        m_onFailure = std::move(handler);
    }

private:
    // The news of one record: "" when it reached the disk, else why not.
    void Told(const QString &sError);

    bool m_failing = false;
    std::function<void(const QString &)> m_onFailure;
};

cHistoryRecorder &theHistory();
