#include "speech/cSpeech.h"

#include "platform/Folders.h"

#include <QCoreApplication>
#include <QPluginLoader>

namespace {

QString &pluginPathForTesting()
{
    static QString path;
    return path;
}

cSpeechEngine *&engineForTesting()
{
    static cSpeechEngine *engine = nullptr;
    return engine;
}

} // namespace

cSpeech::cSpeech(QObject *parent) : QObject(parent) {}

cSpeech::~cSpeech()
{
    if (!m_thread.isRunning())
        return;
    // The engine and its connection to the speech service go in the thread that made them.
    QObject *engine = m_engineObject;
    QMetaObject::invokeMethod(
        m_worker, [engine] { delete engine; }, Qt::BlockingQueuedConnection);
    m_worker->deleteLater();
    m_thread.quit();
    m_thread.wait();
}

QString cSpeech::PluginPath()
{
    if (!pluginPathForTesting().isEmpty())
        return pluginPathForTesting();
    return platform::pluginPath(QStringLiteral("libkzspeech.so"));
}

void cSpeech::SetPluginPathForTesting(const QString &path)
{
    pluginPathForTesting() = path;
}

void cSpeech::SetEngineForTesting(cSpeechEngine *engine)
{
    engineForTesting() = engine;
}

void cSpeech::Open()
{
    if (m_open || m_opening)
        return;
    m_opening = true;
    if (cSpeechEngine *engine = engineForTesting()) {
        Opening(engine, nullptr, engine->Open());
        return;
    }
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("speech"));
    m_thread.start(QThread::LowPriority);
    const QString path = PluginPath();
    QMetaObject::invokeMethod(m_worker, [this, path] {
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        auto *engine = qobject_cast<cSpeechEngine *>(root);
        const QString problem = !engine ? loader.errorString() : engine->Open();
        QMetaObject::invokeMethod(
            this, [this, engine, root, problem] { Opening(engine, root, problem); }, Qt::QueuedConnection);
    });
}

void cSpeech::Opening(cSpeechEngine *engine, QObject *owner, const QString &sProblem)
{
    m_opening = false;
    m_engine = sProblem.isEmpty() ? engine : nullptr;
    m_engineObject = owner;
    m_open = m_engine != nullptr;
    emit Opened(sProblem.isEmpty() && !engine ? QStringLiteral("no engine") : sProblem);
}

void cSpeech::Say(const Utterance &parts)
{
    if (!m_engine || parts.isEmpty())
        return;
    if (!m_worker) {
        m_engine->Say(parts);
        return;
    }
    cSpeechEngine *engine = m_engine;
    QMetaObject::invokeMethod(m_worker, [engine, parts] { engine->Say(parts); });
}

void cSpeech::Stop()
{
    if (!m_engine)
        return;
    if (!m_worker) {
        m_engine->Stop();
        return;
    }
    cSpeechEngine *engine = m_engine;
    QMetaObject::invokeMethod(m_worker, [engine] { engine->Stop(); });
}
