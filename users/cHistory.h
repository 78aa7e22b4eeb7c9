#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include <functional>

// A lam-alef pair typed by one key counts under the ligature of that pair, so the key has counts and
// times of its own: lam-alef (the B key), and the pairs with alef's hamza and madda forms, each on the
// key that types it (Shift+B, Shift+G, Shift+T).
inline constexpr QChar kLamAlefKey = QChar(0xFEFB);           // لا
inline constexpr QChar kLamAlefMaddaKey = QChar(0xFEF5);      // لآ
inline constexpr QChar kLamAlefHamzaAboveKey = QChar(0xFEF7); // لأ
inline constexpr QChar kLamAlefHamzaBelowKey = QChar(0xFEF9); // لإ

// One finished practice line or test, as the learner's history keeps it.
struct HistoryRecord
{
    enum class Kind : quint8
    {
        PracticeLine = 0,
        Test = 1
    };
    // Where the line or test came from.
    enum class Source : quint8
    {
        Lesson = 0,
        FingerDrill = 1,
        NumberDrill = 2,
        CustomLetters = 3, // the custom practice of picked letters
        CustomFile = 4,    // the custom test on a text file
        Adaptive = 5       // the adaptive practice
    };
    // How often a key was wanted in the typed text, how often the letter typed there was wrong, and
    // the time its timed hits took (from the keystroke before each; none in records before times).
    struct KeyCount
    {
        QChar cKey;
        quint16 iWanted = 0;
        quint16 iMissed = 0;
        quint32 iTimeMs = 0; // the timed intervals, summed
        quint16 iTimed = 0;  // how many intervals iTimeMs holds
        bool operator==(const KeyCount &) const = default;
    };

    qint64 iTime = 0; // milliseconds since 1970, UTC
    bool bArabic = true;
    Kind kind = Kind::PracticeLine;
    Source source = Source::Lesson;
    quint8 bLesson = 0;  // 1-6 for a lesson, 0 otherwise
    quint8 bSection = 0; // a lesson's section for a practice line, its test number for a test
    qint16 iSpeed = 0;   // letters per minute
    qint16 iAccuracy = 0;
    QList<KeyCount> keys;

    bool operator==(const HistoryRecord &) const = default;

    // Adds the keys of one typed line: every letter of `wanted` counts as wanted once, and as missed
    // when the letter typed at its place differs; a lam-alef pair counts once, under its ligature,
    // missed when either letter is. `msBefore[i]`, where given, is the time from the keystroke before
    // the one that typed letter i, or -1 when untimed; a pair's time is its two letters' together.
    void AddKeys(const QString &wanted, const QString &written, const QList<qint32> &msBefore = {});

    // The ligature a lam-alef pair counts under, given its alef form; a null QChar for no alef form.
    static QChar LamAlefKeyOf(QChar alef);
    // The keyboard table's entry for the key that types a lam-alef ligature: "لا" for lam-alef and
    // lam-alef-madda, "ل" and "ف" for the pairs with hamza; "" for any other character.
    static QString TableEntryOfLamAlef(QChar ligature);
};

// A record that checked out, read where it stands in the file's bytes.
class HistoryRecordView
{
public:
    // `keyBytes`: how long one key's counts are in the record's version.
    HistoryRecordView(const char *body, int keys, int keyBytes)
        : m_body(body), m_keys(keys), m_keyBytes(keyBytes)
    {
    }

    qint64 Time() const;
    bool IsArabic() const { return m_body[9] == 'A'; }
    HistoryRecord::Kind Kind() const { return HistoryRecord::Kind(quint8(m_body[10])); }
    HistoryRecord::Source Source() const { return HistoryRecord::Source(quint8(m_body[11])); }
    quint8 Lesson() const { return quint8(m_body[12]); }
    quint8 Section() const { return quint8(m_body[13]); }
    qint16 Speed() const;
    qint16 Accuracy() const;
    int KeyCount() const { return m_keys; }
    HistoryRecord::KeyCount Key(int i) const;
    // Only the key's character: what a fold that looks for certain keys reads first.
    QChar KeyChar(int i) const;

private:
    const char *m_body;
    int m_keys;
    int m_keyBytes;
};

// The learner's history file, <name>.HIS beside the profile: an append-only run of records, each
// "KH", its body's length (16 bits), the body and a CRC-32 of length and body. The body starts with
// its version: 1 kept per key the counts, 2 the times as well; both read. A record cut short
// by a kill or a full disk, or damaged later, is passed over: the reader looks for the next record
// that checks out, so one bad record never hides the others.
class cHistory
{
public:
    static constexpr const char *kExtension = ".HIS";

    static QString PathFor(const QString &sFolder, const QString &sUserName);

    static QByteArray Encode(const HistoryRecord &record);
    static QList<HistoryRecord> Decode(const QByteArray &bytes);

    // Appends one record; the file is made (owner-only) with its first record, a symbolic link or
    // anything but a regular file refused. False with the reason. The record is in the file when this
    // returns, so a kill of the tutor loses nothing; it is synced to the disk here, or, given
    // `synced`, on the writer thread, which tells `synced` later ("" or the reason it failed).
    static bool Append(const QString &path, const HistoryRecord &record, QString *error = nullptr,
                       std::function<void(const QString &)> synced = {});
    // The whole file; empty when there is none or it cannot be read (then with the reason in `error`;
    // a missing file is no error: a learner without a history has none).
    static QByteArray ReadFile(const QString &path, QString *error = nullptr);

    // Calls `onRecord` with every record that checks out, in file order, read in place: what the
    // statistics fold without making a copy of each record.
    static void ForEachRecord(const QByteArray &bytes,
                              const std::function<void(const HistoryRecordView &)> &onRecord);

    static quint32 Crc32(const char *data, qsizetype size);
};
