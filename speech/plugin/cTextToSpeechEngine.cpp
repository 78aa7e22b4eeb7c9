// The speech plugin: the tutor's speech engine over Qt's text-to-speech, a library of its own so that
// the tutor loads Qt's speech module (and through it the desktop's speech service) only when the
// spoken mode is turned on, and a tutor built or installed without it still runs.
#include "speech/cSpeechEngine.h"

#include <QTextToSpeech>
#include <QVoice>

namespace {

// espeak-ng's voices as speech-dispatcher lists them; the first English voice it gives is Caribbean.
const QStringList kPreferredVoices = {QStringLiteral("English (America)"),
                                      QStringLiteral("English (Great Britain)"), QStringLiteral("Arabic")};

} // namespace

class cTextToSpeechEngine : public QObject, public cSpeechEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID cSpeechEngine_iid)
    Q_INTERFACES(cSpeechEngine)
public:
    QString Open() override
    {
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty())
            return QStringLiteral("no text-to-speech plugin");
        m_speech = new QTextToSpeech(engines.first(), this);
        if (m_speech->state() == QTextToSpeech::Error)
            return m_speech->errorString().isEmpty() ? QStringLiteral("the speech service did not answer")
                                                     : m_speech->errorString();
        m_arabic = VoiceFor(QLocale(QLocale::Arabic, QLocale::Egypt));
        m_english = VoiceFor(QLocale(QLocale::English, QLocale::UnitedStates));
        connect(m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state != QTextToSpeech::Speaking) {
                m_busy = false;
                SayNext();
            }
        });
        return QString();
    }

    void Say(const Utterance &parts) override
    {
        if (!m_speech)
            return;
        m_waiting.append(parts);
        if (!m_busy)
            SayNext();
    }

    void Stop() override
    {
        m_waiting.clear();
        if (m_speech && m_busy)
            m_speech->stop();
        m_busy = false;
    }

private:
    struct Voice
    {
        QLocale locale;
        QVoice voice;
        bool found = false;
    };

    Voice VoiceFor(const QLocale &locale)
    {
        Voice result{locale, {}, false};
        m_speech->setLocale(locale);
        const QList<QVoice> voices = m_speech->availableVoices();
        for (const QString &name : kPreferredVoices) {
            for (const QVoice &voice : voices) {
                if (voice.name() == name)
                    return {m_speech->locale(), voice, true};
            }
        }
        if (!voices.isEmpty())
            return {m_speech->locale(), voices.first(), true};
        return result;
    }

    void SayNext()
    {
        while (!m_waiting.isEmpty()) {
            const SpokenPart part = m_waiting.takeFirst();
            if (part.sText.trimmed().isEmpty())
                continue;
            const Voice &voice = part.bArabic ? m_arabic : m_english;
            if (m_speech->locale() != voice.locale)
                m_speech->setLocale(voice.locale);
            if (voice.found && m_speech->voice() != voice.voice)
                m_speech->setVoice(voice.voice);
            // The next part goes when the engine says this one is done.
            m_busy = true;
            m_speech->say(part.sText);
            return;
        }
    }

    QTextToSpeech *m_speech = nullptr;
    Voice m_arabic;
    Voice m_english;
    Utterance m_waiting;
    bool m_busy = false; // a part was handed to the engine and has not ended
};

#include "cTextToSpeechEngine.moc"
