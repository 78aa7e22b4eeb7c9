#include "users/cHistory.h"

#include "platform/SafeFile.h"
#include "platform/SyncWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

constexpr char kMagic[2] = {'K', 'H'};
constexpr int kHeader = 4;  // magic and body length
constexpr int kTrailer = 4; // CRC-32
constexpr quint8 kVersion = 2;
// version, time, language, kind, source, lesson, section, speed, accuracy, key count
constexpr int kFixedBody = 1 + 8 + 1 + 1 + 1 + 1 + 1 + 2 + 2 + 2;
// Per key: character, wanted, missed; from version 2 on, the time and the timed hits too.
constexpr int kKeyBytesV1 = 6;
constexpr int kKeyBytes = kKeyBytesV1 + 4 + 2;
constexpr int kMaxKeys = (0xFFFF - kFixedBody) / kKeyBytes;
// Intervals longer than this are a pause, never a key's time.
constexpr qint32 kLongestInterval = 60 * 1000;

constexpr QChar kLam(0x0644);

int keyBytesOf(char version)
{
    return version == 1 ? kKeyBytesV1 : version == 2 ? kKeyBytes : 0;
}
// Years of daily practice stay far below this; a larger file is read up to it.
constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

// CRC-32 (IEEE) eight bytes at a time: a history of many thousands of records is checked whole
// each time the progress screen opens.
struct CrcTables
{
    std::array<std::array<quint32, 256>, 8> t{};
    CrcTables()
    {
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (quint32 i = 0; i < 256; ++i)
            for (int s = 1; s < 8; ++s)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
};

const CrcTables &crcTables()
{
    static const CrcTables tables;
    return tables;
}

template <typename T> T readLE(const char *p)
{
    return qFromLittleEndian<T>(p);
}

template <typename T> void appendLE(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

// Calls `onRecord` with every record that checks out, in file order. Anything else (a torn tail, a
// damaged stretch) is skipped byte by byte until the next record that does.
template <typename F> void scanRecords(const QByteArray &bytes, F onRecord)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype pos = 0;
    while (pos + kHeader + kFixedBody + kTrailer <= size) {
        if (data[pos] != kMagic[0] || data[pos + 1] != kMagic[1]) {
            const qsizetype next = bytes.indexOf(kMagic, pos + 1);
            if (next < 0)
                return;
            pos = next;
            continue;
        }
        const int length = readLE<quint16>(data + pos + 2);
        const qsizetype end = pos + kHeader + length + kTrailer;
        bool good = length >= kFixedBody && end <= size;
        const char *body = data + pos + kHeader;
        if (good) {
            const int keys = readLE<quint16>(body + kFixedBody - 2);
            const int keyBytes = keyBytesOf(body[0]);
            good = keyBytes > 0 && length == kFixedBody + keys * keyBytes &&
                   readLE<quint32>(body + length) == cHistory::Crc32(data + pos + 2, length + 2);
            if (good) {
                onRecord(HistoryRecordView(body, keys, keyBytes));
                pos = end;
                continue;
            }
        }
        ++pos;
    }
}

} // namespace

qint64 HistoryRecordView::Time() const
{
    return readLE<qint64>(m_body + 1);
}

qint16 HistoryRecordView::Speed() const
{
    return readLE<qint16>(m_body + 14);
}

qint16 HistoryRecordView::Accuracy() const
{
    return readLE<qint16>(m_body + 16);
}

HistoryRecord::KeyCount HistoryRecordView::Key(int i) const
{
    const char *k = m_body + kFixedBody + i * m_keyBytes;
    HistoryRecord::KeyCount key{QChar(readLE<quint16>(k)), readLE<quint16>(k + 2), readLE<quint16>(k + 4)};
    if (m_keyBytes == kKeyBytes) {
        key.iTimeMs = readLE<quint32>(k + 6);
        key.iTimed = readLE<quint16>(k + 10);
    }
    return key;
}

QChar HistoryRecordView::KeyChar(int i) const
{
    return QChar(readLE<quint16>(m_body + kFixedBody + i * m_keyBytes));
}

QChar HistoryRecord::LamAlefKeyOf(QChar alef)
{
    switch (alef.unicode()) {
    case 0x0627:
        return kLamAlefKey;
    case 0x0622:
        return kLamAlefMaddaKey;
    case 0x0623:
        return kLamAlefHamzaAboveKey;
    case 0x0625:
        return kLamAlefHamzaBelowKey;
    default:
        return {};
    }
}

QString HistoryRecord::TableEntryOfLamAlef(QChar ligature)
{
    if (ligature == kLamAlefKey || ligature == kLamAlefMaddaKey)
        return QStringLiteral("لا");
    if (ligature == kLamAlefHamzaAboveKey)
        return QStringLiteral("ل");
    if (ligature == kLamAlefHamzaBelowKey)
        return QStringLiteral("ف");
    return {};
}

void HistoryRecord::AddKeys(const QString &wanted, const QString &written, const QList<qint32> &msBefore)
{
    const auto typedRight = [&](qsizetype i) { return i < written.size() && written.at(i) == wanted.at(i); };
    const auto interval = [&](qsizetype i) { return i < msBefore.size() ? msBefore.at(i) : -1; };
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        QChar c = wanted.at(i);
        bool right = typedRight(i);
        qint32 ms = interval(i);
        // One key types lam and the alef after it: the pair is that key's one hit.
        if (c == kLam && i + 1 < wanted.size()) {
            const QChar pair = LamAlefKeyOf(wanted.at(i + 1));
            if (!pair.isNull()) {
                ++i;
                c = pair;
                right = right && typedRight(i);
                const qint32 second = interval(i);
                ms = ms >= 0 && second >= 0 ? ms + second : -1;
            }
        }
        auto it = std::find_if(keys.begin(), keys.end(), [c](const KeyCount &k) { return k.cKey == c; });
        if (it == keys.end()) {
            keys.append({c, 0, 0});
            it = keys.end() - 1;
        }
        if (it->iWanted < 0xFFFF)
            ++it->iWanted;
        if (!right && it->iMissed < 0xFFFF)
            ++it->iMissed;
        // A missed letter's time is the time of a wrong key: only hits time a key.
        if (right && ms >= 0 && ms <= kLongestInterval && it->iTimed < 0xFFFF &&
            it->iTimeMs <= 0xFFFFFFFFu - quint32(ms)) {
            it->iTimeMs += quint32(ms);
            ++it->iTimed;
        }
    }
}

QString cHistory::PathFor(const QString &sFolder, const QString &sUserName)
{
    return sFolder + sUserName + QLatin1String(kExtension);
}

quint32 cHistory::Crc32(const char *data, qsizetype size)
{
    const auto &t = crcTables().t;
    quint32 crc = 0xFFFFFFFFu;
    const auto *p = reinterpret_cast<const uchar *>(data);
    while (size >= 8) {
        const quint32 a =
            crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^ t[3][p[4]] ^
              t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        p += 8;
        size -= 8;
    }
    while (size-- > 0)
        crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray cHistory::Encode(const HistoryRecord &record)
{
    const int keys = int(std::min<qsizetype>(record.keys.size(), kMaxKeys));
    const int length = kFixedBody + keys * kKeyBytes;
    QByteArray out;
    out.reserve(kHeader + length + kTrailer);
    out.append(kMagic, 2);
    appendLE<quint16>(out, quint16(length));
    out.append(char(kVersion));
    appendLE<qint64>(out, record.iTime);
    out.append(record.bArabic ? 'A' : 'E');
    out.append(char(record.kind));
    out.append(char(record.source));
    out.append(char(record.bLesson));
    out.append(char(record.bSection));
    appendLE<qint16>(out, record.iSpeed);
    appendLE<qint16>(out, record.iAccuracy);
    appendLE<quint16>(out, quint16(keys));
    for (int i = 0; i < keys; ++i) {
        const HistoryRecord::KeyCount &k = record.keys.at(i);
        appendLE<quint16>(out, k.cKey.unicode());
        appendLE<quint16>(out, k.iWanted);
        appendLE<quint16>(out, k.iMissed);
        appendLE<quint32>(out, k.iTimeMs);
        appendLE<quint16>(out, k.iTimed);
    }
    appendLE<quint32>(out, Crc32(out.constData() + 2, out.size() - 2));
    return out;
}

QList<HistoryRecord> cHistory::Decode(const QByteArray &bytes)
{
    QList<HistoryRecord> records;
    scanRecords(bytes, [&records](const HistoryRecordView &view) {
        HistoryRecord r;
        r.iTime = view.Time();
        r.bArabic = view.IsArabic();
        r.kind = view.Kind();
        r.source = view.Source();
        r.bLesson = view.Lesson();
        r.bSection = view.Section();
        r.iSpeed = view.Speed();
        r.iAccuracy = view.Accuracy();
        r.keys.reserve(view.KeyCount());
        for (int i = 0; i < view.KeyCount(); ++i)
            r.keys.append(view.Key(i));
        records.append(std::move(r));
    });
    return records;
}

void cHistory::ForEachRecord(const QByteArray &bytes,
                             const std::function<void(const HistoryRecordView &)> &onRecord)
{
    scanRecords(bytes, onRecord);
}

bool cHistory::Append(const QString &path, const HistoryRecord &record, QString *error,
                      std::function<void(const QString &)> synced)
{
    // Made in place with its first record: a kill while it is written leaves a cut record, which
    // the reader passes over like any other.
    bool created = false;
    const int fd = platform::openForAppend(path, &created, error);
    if (fd < 0)
        return false;
    if (!platform::append(fd, Encode(record), error)) {
        platform::closeFile(fd);
        if (created)
            platform::removeFile(path);
        return false;
    }
    // A name just made needs its folder synced too.
    const QString folder = created ? QFileInfo(path).path() : QString();
    if (synced) {
        platform::syncLater(fd, folder, std::move(synced));
        return true;
    }
    const bool written =
        platform::syncData(fd, error) && (folder.isEmpty() || platform::syncFolder(folder, error));
    platform::closeFile(fd);
    return written;
}

QByteArray cHistory::ReadFile(const QString &path, QString *error)
{
    QString reason;
    const int fd = platform::openRegularFile(path, false, &reason);
    if (fd < 0) {
        const QFileInfo info(path);
        if (error && (info.exists() || info.isSymLink()))
            *error = reason;
        return {};
    }
    // Records appended meanwhile are read next time.
    const qint64 size = std::min<qint64>(QFileInfo(path).size(), kMaxFileBytes);
    QByteArray bytes = platform::readAt(fd, 0, size, error);
    platform::closeFile(fd);
    return bytes;
}
