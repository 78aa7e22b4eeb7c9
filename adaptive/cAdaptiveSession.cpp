#include "adaptive/cAdaptiveSession.h"

#include "adaptive/cTrainerKeys.h"

QStringList cAdaptiveSession::Choices::ResetsText() const
{
    QStringList text;
    for (auto it = resets.cbegin(); it != resets.cend(); ++it)
        text.append(QString::number(it.key()) + QLatin1Char(':') + QString::number(it.value()));
    text.sort();
    return text;
}

QHash<int, qint64> cAdaptiveSession::Choices::ResetsFrom(const QStringList &text)
{
    QHash<int, qint64> resets;
    for (const QString &item : text) {
        const QStringList parts = item.split(QLatin1Char(':'));
        bool keyRead = false, timeRead = false;
        const int key = parts.value(0).toInt(&keyRead);
        const qint64 time = parts.value(1).toLongLong(&timeRead);
        if (parts.size() == 2 && keyRead && timeRead && key >= 0 && time > 0)
            resets.insert(key, time);
    }
    return resets;
}

cAdaptiveSession::cAdaptiveSession(bool arabic, cKeyModel::Targets targets, const Choices &choices,
                                   const QByteArray &history)
    : m_arabic(arabic), m_targets(targets), m_choices(choices), m_history(history), m_model(arabic, targets),
      m_text(arabic)
{
    Rebuild();
}

void cAdaptiveSession::Rebuild()
{
    m_model = cKeyModel(m_arabic, m_targets);
    m_model.SetChoices(m_choices.iJoinedEarly, m_choices.resets);
    m_model.FoldHistory(m_history);
}

QString cAdaptiveSession::NextLine()
{
    QStringList recent;
    for (const QStringList &words : m_recent)
        recent += words;
    const QString line = m_text.MakeLine(m_model.AllowedLetters(), m_model.FocusLetters(), recent, kLineLength);
    m_recent.append(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    while (m_recent.size() > kRecentLines)
        m_recent.removeFirst();
    return line;
}

void cAdaptiveSession::LineDone(const HistoryRecord &record)
{
    m_history += cHistory::Encode(record);
    m_model.Fold(record);
}

Forecast cAdaptiveSession::CurrentForecast() const
{
    return ForecastFor(m_history, m_arabic, m_targets);
}

bool cAdaptiveSession::JoinNextKey()
{
    if (m_model.IncludedCount() >= trainerKeys(m_arabic).size())
        return false;
    ++m_choices.iJoinedEarly;
    Rebuild();
    return true;
}

void cAdaptiveSession::ResetKey(int index, qint64 iNow)
{
    if (index < 0 || index >= trainerKeys(m_arabic).size())
        return;
    m_choices.resets.insert(index, iNow);
    Rebuild();
}
