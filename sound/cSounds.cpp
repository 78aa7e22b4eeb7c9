#include "sound/cSounds.h"

#include "platform/Beep.h"
#include "platform/Folders.h"
#include "typing/TypingPad.h"
#include "typing/cTypingNews.h"
#include "users/cUser.h"

#include <QPluginLoader>

namespace {

QString &pluginPathForTesting()
{
    static QString path;
    return path;
}

cSoundPlayer *&playerForTesting()
{
    static cSoundPlayer *player = nullptr;
    return player;
}

} // namespace

cSounds &theSounds()
{
    static cSounds sounds;
    return sounds;
}

cSounds::cSounds() = default;

cSounds::~cSounds()
{
    if (!m_thread.isRunning())
        return;
    // The player and its stream to the sound server go in the thread that made them.
    QObject *player = m_playerObject;
    QMetaObject::invokeMethod(
        m_worker, [player] { delete player; }, Qt::BlockingQueuedConnection);
    m_worker->deleteLater();
    m_thread.quit();
    m_thread.wait();
}

QString cSounds::PluginPath()
{
    if (!pluginPathForTesting().isEmpty())
        return pluginPathForTesting();
    return platform::pluginPath(QStringLiteral("libkzsound.so"));
}

void cSounds::SetPluginPathForTesting(const QString &path)
{
    pluginPathForTesting() = path;
}

void cSounds::SetPlayerForTesting(cSoundPlayer *player)
{
    playerForTesting() = player;
    // The next turn on opens again, with this player.
    cSounds &sounds = theSounds();
    sounds.m_player = nullptr;
    sounds.m_opened = false;
    sounds.m_opening = false;
    sounds.m_bDirect = false;
    ++sounds.m_iOpening; // an answer still on its way is stale
}

void cSounds::LearnerLoggedIn()
{
    SetOn(bLoggedIn && theUser().GetSettings(QStringLiteral("General"), QStringLiteral("Sound")).toBool());
}

void cSounds::SetOn(bool bOn)
{
    if (bOn == m_on)
        return;
    m_on = bOn;
    if (!bOn) {
        for (const QMetaObject::Connection &connection : m_listening)
            disconnect(connection);
        m_listening.clear();
        return;
    }
    m_listening.append(
        connect(&typingNews(), &cTypingNews::KeyJudged, this, [this](TypingPad *, cTypingNews::Key key) {
            if (key == cTypingNews::Key::Wrong)
                Play(SoundEffect::WrongKey);
        }));
    m_listening.append(connect(&typingNews(), &cTypingNews::LineFinished, this,
                               [this](TypingPad *) { Play(SoundEffect::LineFinished); }));
    Open();
}

void cSounds::Open()
{
    if (m_opened || m_opening)
        return;
    m_opening = true;
    const int iOpening = ++m_iOpening;
    if (cSoundPlayer *player = playerForTesting()) {
        m_bDirect = true;
        Opened(player, m_playerObject, player->Open());
        return;
    }
    if (!m_worker) {
        m_worker = new QObject;
        m_worker->moveToThread(&m_thread);
        m_thread.setObjectName(QStringLiteral("sound"));
        m_thread.start();
    }
    const QString path = PluginPath();
    QMetaObject::invokeMethod(m_worker, [this, path, iOpening] {
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        auto *player = qobject_cast<cSoundPlayer *>(root);
        const QString problem = !player ? loader.errorString() : player->Open();
        QMetaObject::invokeMethod(
            this,
            [this, player, root, problem, iOpening] {
                if (iOpening == m_iOpening)
                    Opened(player, root, problem);
            },
            Qt::QueuedConnection);
    });
}

void cSounds::Opened(cSoundPlayer *player, QObject *owner, const QString &sProblem)
{
    m_opening = false;
    m_opened = true;
    m_player = sProblem.isEmpty() ? player : nullptr;
    m_playerObject = owner;
    if (!m_player)
        qInfo("no sound effects, the beep stands in: %s",
              qPrintable(sProblem.isEmpty() ? QStringLiteral("no player") : sProblem));
}

void cSounds::Play(SoundEffect effect)
{
    // Until the player answers, nothing plays: it opens at login, long before the first key.
    if (!m_opened)
        return;
    if (!m_player) {
        if (effect == SoundEffect::WrongKey)
            platform::beep();
        return;
    }
    if (m_bDirect) {
        if (!m_player->Play(effect) && effect == SoundEffect::WrongKey)
            platform::beep();
        return;
    }
    // Keys faster than the player keep at most one waiting, so the sound never trails the typing.
    if (m_iWaiting.loadRelaxed() > 0)
        return;
    m_iWaiting.ref();
    cSoundPlayer *player = m_player;
    QMetaObject::invokeMethod(m_worker, [this, player, effect] {
        m_iWaiting.deref();
        if (!player->Play(effect) && effect == SoundEffect::WrongKey)
            QMetaObject::invokeMethod(
                this, [] { platform::beep(); }, Qt::QueuedConnection);
    });
}
