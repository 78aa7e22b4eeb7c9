#pragma once

#include "adaptive/cAdaptiveText.h"
#include "adaptive/cForecast.h"
#include "adaptive/cKeyModel.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

// One learner's run of the adaptive trainer in one language: the key model over the history and the
// learner's choices, the lines built from it one after another, and the words just typed, which the
// next lines avoid. The screen drives it; so can anyone who must know the lines it builds.
class cAdaptiveSession
{
public:
    // What the learner chose, kept in the learner's preferences (never the profile).
    struct Choices
    {
        int iJoinedEarly = 0;       // keys let join before the set was learned
        QHash<int, qint64> resets;  // key index: ms since 1970 before which its history is ignored

        // The resets as the preferences keep them, "index:time" each; what does not read is passed over.
        QStringList ResetsText() const;
        static QHash<int, qint64> ResetsFrom(const QStringList &text);
    };

    static constexpr int kLineLength = 48;
    // The words of this many lines just typed are kept out of the next line.
    static constexpr int kRecentLines = 2;

    cAdaptiveSession(bool arabic, cKeyModel::Targets targets, const Choices &choices, const QByteArray &history);

    bool IsArabic() const { return m_arabic; }
    const cKeyModel &Model() const { return m_model; }
    const Choices &GetChoices() const { return m_choices; }

    // The next line, from the model as it stands.
    QString NextLine();
    // A line typed, as the history records it: folded into the model, kept for the forecast.
    void LineDone(const HistoryRecord &record);

    Forecast CurrentForecast() const;

    // Lets the next key of the plan join now; false when every key is in already.
    bool JoinNextKey();
    // Forgets what was measured of key `index` until `iNow` (ms since 1970).
    void ResetKey(int index, qint64 iNow);

private:
    void Rebuild();

    bool m_arabic;
    cKeyModel::Targets m_targets;
    Choices m_choices;
    QByteArray m_history;
    cKeyModel m_model;
    cAdaptiveText m_text;
    QList<QStringList> m_recent; // the last lines' words, oldest first
};
