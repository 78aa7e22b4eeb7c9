// The sound plugin: the tutor's sound effects through the desktop's sound server (PulseAudio, or
// PipeWire's server for its clients), a library of its own so that the tutor loads the server's
// client library only when a learner's sounds are on, and a tutor built or installed without it
// still runs.
#include "sound/cSoundPlayer.h"

#include <QByteArray>
#include <QFile>
#include <QTimer>
#include <QtEndian>

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// The samples of a 16-bit mono WAV file at 44.1 kHz, as scripts/make-sounds.py writes them; empty
// for anything else.
QByteArray samplesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray wav = file.readAll();
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    bool bFormatFits = false;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > wav.size() - body)
            return {};
        if (id == "fmt " && size >= 16) {
            const char *f = wav.constData() + body;
            bFormatFits = qFromLittleEndian<quint16>(f) == 1 && qFromLittleEndian<quint16>(f + 2) == 1 &&
                          qFromLittleEndian<quint32>(f + 4) == 44100 &&
                          qFromLittleEndian<quint16>(f + 14) == 16;
        } else if (id == "data") {
            return bFormatFits ? wav.mid(body, size) : QByteArray();
        }
        at = body + size + (size & 1);
    }
    return {};
}

const pa_sample_spec kSpec = {PA_SAMPLE_S16LE, 44100, 1};
constexpr pa_usec_t kLatencyUsec = 30000;

} // namespace

class cPulsePlayer : public QObject, public cSoundPlayer
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID cSoundPlayer_iid)
    Q_INTERFACES(cSoundPlayer)
public:
    ~cPulsePlayer() override { Close(); }

    QString Open() override
    {
        m_wrong = samplesOf(QStringLiteral(":/sounds/error.wav"));
        m_line = samplesOf(QStringLiteral(":/sounds/line.wav"));
        if (m_wrong.isEmpty() || m_line.isEmpty())
            return QStringLiteral("the sound files did not load");
        m_idle.setSingleShot(true);
        m_idle.setInterval(kIdleMs);
        connect(&m_idle, &QTimer::timeout, this, &cPulsePlayer::Close);
        // The first stream says whether a sound server answers at all.
        int error = 0;
        if (!Connect(&error))
            return QString::fromUtf8(pa_strerror(error));
        m_idle.start();
        return QString();
    }

    bool Play(SoundEffect effect) override
    {
        const QByteArray &samples = effect == SoundEffect::WrongKey ? m_wrong : m_line;
        int error = 0;
        if (!m_stream && !Connect(&error))
            return false;
        if (pa_simple_write(m_stream, samples.constData(), size_t(samples.size()), &error) != 0) {
            Close(); // the server went away; the next sound tries a new stream
            return false;
        }
        m_idle.start();
        return true;
    }

private:
    bool Connect(int *error)
    {
        // A short buffer, so the effect follows its key (an effect that comes while one plays waits
        // for it, at most a tenth of a second), and playback that starts with the first samples, so
        // an effect shorter than the buffer is not held back waiting for more.
        pa_buffer_attr buffer;
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = uint32_t(pa_usec_to_bytes(kLatencyUsec, &kSpec));
        buffer.prebuf = uint32_t(pa_frame_size(&kSpec));
        buffer.minreq = uint32_t(-1);
        buffer.fragsize = uint32_t(-1);
        m_stream = pa_simple_new(nullptr, "Tavrin", PA_STREAM_PLAYBACK, nullptr, "sound effects", &kSpec,
                                 nullptr, &buffer, error);
        return m_stream != nullptr;
    }

    // A stream left open keeps the sound card awake: it goes after a while without sounds, by
    // which time the last effect has long played out.
    void Close()
    {
        if (m_stream)
            pa_simple_free(m_stream);
        m_stream = nullptr;
    }

    static constexpr int kIdleMs = 5000;

    pa_simple *m_stream = nullptr;
    QTimer m_idle;
    QByteArray m_wrong;
    QByteArray m_line;
};

#include "cPulsePlayer.moc"
