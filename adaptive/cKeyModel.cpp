#include "adaptive/cKeyModel.h"

#include "adaptive/cTrainerKeys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// What a key's earlier letters keep of their weight after `count` more, (1 - smoothing)^count, for
// the counts one line brings: a fold of years of history needs it millions of times.
constexpr int kDecays = 256;
using Decays = std::array<double, kDecays>;

Decays decaysOf(double smoothing)
{
    Decays t{};
    for (int i = 0; i < kDecays; ++i)
        t[size_t(i)] = std::pow(1.0 - smoothing, double(i));
    return t;
}

const Decays kTimeDecays = decaysOf(cKeyModel::kTimeSmoothing);
const Decays kMissDecays = decaysOf(cKeyModel::kMissSmoothing);

// A record being typed now, read like one from the file.
struct RecordOf
{
    const HistoryRecord &record;
    bool IsArabic() const { return record.bArabic; }
    qint64 Time() const { return record.iTime; }
    int KeyCount() const { return int(record.keys.size()); }
    QChar KeyChar(int i) const { return record.keys.at(i).cKey; }
    HistoryRecord::KeyCount Key(int i) const { return record.keys.at(i); }
};

// The miss rate that counts as within a target accuracy of 100 %: below it, a key's accuracy is
// measured against this instead of against no misses at all.
constexpr double kLeastMissRate = 0.01;

} // namespace

void cKeyModel::Smoothed::Add(double value, qint64 count, const double *decays)
{
    const double decay = count < kDecays ? decays[count] : std::pow(decays[1], double(count));
    dSum = dSum * decay + value * (1 - decay);
    dWeight = dWeight * decay + (1 - decay);
}

cKeyModel::cKeyModel(bool arabic, Targets targets)
    : m_arabic(arabic), m_keyOf(trainerKeyIndex(arabic)), m_targets(targets),
      m_dTargetMs(targets.iSpeed > 0 ? 60000.0 / targets.iSpeed : 0),
      m_dAllowedMisses(std::clamp((100 - targets.iAccuracy) / 100.0, 0.0, 1.0))
{
    const qsizetype keys = trainerKeys(arabic).size();
    m_resetBefore.assign(size_t(keys), std::numeric_limits<qint64>::min());
    m_states.resize(keys);
    m_gathered.resize(size_t(keys));
    m_touched.reserve(size_t(keys));
    Reset();
}

void cKeyModel::Reset()
{
    const size_t keys = size_t(m_states.size());
    m_evidence.assign(keys, {});
    m_before.assign(keys, {});
    m_learnedBefore.assign(keys, 0);
    m_learned.assign(keys, 0);
    m_touched.clear();
    m_reach.assign(keys, 0);
    m_earned = std::min(firstSetSize(m_arabic), int(keys));
    for (int k = 0; k < int(keys); ++k) {
        m_states[k] = KeyState();
        m_states[k].bIncluded = k < IncludedCount();
    }
}

void cKeyModel::SetChoices(int iJoinedEarly, const QHash<int, qint64> &resets)
{
    m_joinedEarly = std::max(0, iJoinedEarly);
    std::fill(m_resetBefore.begin(), m_resetBefore.end(), std::numeric_limits<qint64>::min());
    for (auto it = resets.cbegin(); it != resets.cend(); ++it) {
        if (it.key() >= 0 && it.key() < int(m_resetBefore.size()))
            m_resetBefore[size_t(it.key())] = it.value();
    }
    for (int k = 0; k < int(m_states.size()); ++k)
        m_states[k].bIncluded = k < IncludedCount();
}

void cKeyModel::FoldHistory(const QByteArray &historyBytes)
{
    Reset();
    // Years of lines: each record only adds to the evidence; the states follow once, at the end.
    cHistory::ForEachRecord(historyBytes, [this](const HistoryRecordView &record) { FoldRecord(record); });
    for (int k = 0; k < int(m_states.size()); ++k)
        Refresh(k);
    m_touched.clear();
}

void cKeyModel::Fold(const HistoryRecord &record)
{
    FoldRecord(RecordOf{record});
    RefreshTouched();
}

void cKeyModel::Fold(const HistoryRecordView &record)
{
    FoldRecord(record);
    RefreshTouched();
}

void cKeyModel::RefreshTouched()
{
    for (int key : m_touched)
        Refresh(key);
    m_touched.clear();
}

void cKeyModel::Refresh(int key)
{
    KeyState &state = m_states[key];
    const bool included = state.bIncluded;
    state = StateOf(m_evidence[size_t(key)], &m_reach[size_t(key)]);
    state.bIncluded = included;
}

int cKeyModel::IncludedCount() const
{
    return std::min(m_earned + m_joinedEarly, int(m_states.size()));
}

template <typename Record> void cKeyModel::FoldRecord(const Record &record)
{
    if (record.IsArabic() != m_arabic)
        return;
    m_touched.clear();
    const qint64 time = record.Time();
    const int count = record.KeyCount();
    for (int i = 0; i < count; ++i) {
        const int key = m_keyOf[record.KeyChar(i).unicode()];
        if (key < 0)
            continue;
        const HistoryRecord::KeyCount counts = record.Key(i);
        Gathered &g = m_gathered[size_t(key)];
        if (g.iWanted == 0 && g.iTimed == 0)
            m_touched.push_back(key);
        g.iWanted += counts.iWanted;
        g.iMissed += counts.iMissed;
        g.iTimeMs += counts.iTimeMs;
        g.iTimed += counts.iTimed;
    }
    bool learnedOne = false;
    for (int key : m_touched) {
        Gathered &g = m_gathered[size_t(key)];
        const bool before = time < m_resetBefore[size_t(key)];
        Evidence &evidence = before ? m_before[size_t(key)] : m_evidence[size_t(key)];
        Add(evidence, g);
        const bool learned = IsLearned(evidence);
        (before ? m_learnedBefore : m_learned)[size_t(key)] = learned;
        learnedOne = learnedOne || learned;
        g = Gathered();
    }
    // The touched keys stay listed for the caller, which refreshes their states.
    if (learnedOne)
        Grow(time);
}

bool cKeyModel::IsLearned(const Evidence &evidence) const
{
    // StateOf's test without its divisions, for every key of every record of a fold.
    if (evidence.iHits < kLeastHits || evidence.time.dWeight <= 0 || evidence.miss.dWeight <= 0)
        return false;
    return (m_targets.iSpeed <= 0 || evidence.time.dSum <= m_dTargetMs * evidence.time.dWeight) &&
           evidence.miss.dSum <= m_dAllowedMisses * evidence.miss.dWeight;
}

void cKeyModel::Add(Evidence &evidence, const Gathered &counts) const
{
    if (counts.iWanted > 0)
        evidence.miss.Add(double(counts.iMissed) / double(counts.iWanted), counts.iWanted,
                          kMissDecays.data());
    if (counts.iTimed > 0) {
        evidence.time.Add(double(counts.iTimeMs) / double(counts.iTimed), counts.iTimed, kTimeDecays.data());
        evidence.iHits += int(counts.iTimed);
    }
}

cKeyModel::KeyState cKeyModel::StateOf(const Evidence &evidence, double *reach) const
{
    KeyState state;
    state.dMsPerHit = evidence.time.Value();
    state.dMissRate = evidence.miss.Value();
    state.iHits = evidence.iHits;

    // Speed as the tutor counts it, letters per minute: a minute over the time per hit.
    double speed = 0;
    bool fastEnough = false;
    if (state.dMsPerHit >= 0) {
        fastEnough = m_targets.iSpeed <= 0 || state.dMsPerHit <= m_dTargetMs;
        speed = fastEnough ? 1 : m_dTargetMs / state.dMsPerHit;
    }
    double accuracy = 0;
    bool accurateEnough = false;
    if (state.dMissRate >= 0) {
        accurateEnough = state.dMissRate <= m_dAllowedMisses;
        // The allowed misses over the key's, a fraction as speed's is.
        accuracy = accurateEnough ? 1 : std::min(1.0, std::max(m_dAllowedMisses, kLeastMissRate) / state.dMissRate);
    }
    // Too few hits are no measure yet: they count as that much of the way.
    const double evidenceShare = std::min(1.0, double(state.iHits) / kLeastHits);
    state.bLearned = IsLearned(evidence); // fastEnough && accurateEnough && enough hits
    state.dProgress = std::min({speed, accuracy, evidenceShare});
    if (!state.bLearned)
        state.dProgress = std::min(state.dProgress, 0.99);
    if (reach)
        *reach = state.bLearned ? 1 : std::min({speed, accuracy, 0.99});
    return state;
}

void cKeyModel::Grow(qint64 time)
{
    const int keys = int(m_states.size());
    while (IncludedCount() < keys) {
        for (int k = 0; k < IncludedCount(); ++k) {
            const bool learned =
                bool(time < m_resetBefore[size_t(k)] ? m_learnedBefore[size_t(k)] : m_learned[size_t(k)]);
            if (!learned)
                return;
        }
        ++m_earned;
        m_states[IncludedCount() - 1].bIncluded = true;
    }
}

int cKeyModel::Focus() const
{
    // The lowest progress; among equals, the key that joined last (a new key has everything to learn).
    int focus = 0;
    for (int k = 1; k < IncludedCount(); ++k) {
        if (m_states.at(k).dProgress <= m_states.at(focus).dProgress)
            focus = k;
    }
    return focus;
}

QString cKeyModel::AllowedLetters() const
{
    QString letters;
    const QList<TrainerKey> &keys = trainerKeys(m_arabic);
    for (int k = 0; k < IncludedCount(); ++k)
        letters += keys.at(k).sLetters;
    return letters;
}

QString cKeyModel::FocusLetters() const
{
    return trainerKeys(m_arabic).at(Focus()).sLetters;
}

double cKeyModel::LayoutProgress() const
{
    if (m_states.isEmpty())
        return 0;
    double sum = 0;
    for (double reach : m_reach)
        sum += reach;
    return sum / double(m_reach.size());
}
