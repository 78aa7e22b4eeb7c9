#include "E2eKeys.h"

#include "E2eSupport.h"

#include "lessons/cLesson.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "users/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QWidget>
#include <QHash>
#include <QRandomGenerator>

namespace e2e {

const QStringList &usLetters()
{
    static const QStringList letters = [] {
        QStringList list;
        for (char c = 'a'; c <= 'z'; ++c)
            list.append(QString(QLatin1Char(c)));
        return list;
    }();
    return letters;
}

QStringList keysFor(const QString &text, const QString &layout)
{
    QHash<QString, QString> keyOf;
    for (quint32 keycode = 10; keycode <= 65; ++keycode) {
        const QString us =
            platform::textOfPhysicalKey(QString::fromLatin1(platform::kEnglishLayout), keycode, false);
        if (us.isEmpty() || keycode == 94)
            continue;
        const QString name = usLetters().contains(us) ? us : QString::number(keycode);
        for (bool shift : {false, true}) {
            const QString typed = platform::textOfPhysicalKey(layout, keycode, shift);
            if (!typed.isEmpty() && !keyOf.contains(typed))
                keyOf.insert(typed, (shift ? QStringLiteral("shift+") : QString()) + name);
        }
    }
    QStringList keys;
    for (const QChar c : text)
        keys.append(keyOf.value(QString(c)));
    return keys;
}

bool createLearner(const QString &path, char language)
{
    if (!ProfileFile::create(path, 90, 150))
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(ProfileFile::kLangOffset) &&
           file.write(&language, 1) == 1;
}

QString firstTestText(int block, const char *seed)
{
    QRandomGenerator generator(QByteArray(seed).toUInt());
    QList<double> draws;
    for (int i = 0; i < 200; ++i)
        draws.append(generator.generateDouble());
    platform::setRandomSequenceForTesting(draws);
    const QString text = cLesson::BuildTestText(block);
    platform::setRandomSequenceForTesting({});
    return text;
}

QPoint centreIn(QWidget *widget, QWidget *window)
{
    return widget->mapTo(window, widget->rect().center());
}

QImage grabWindow(const XServer &x, const QString &windowId)
{
    const QString import = QStandardPaths::findExecutable(QStringLiteral("import"));
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("kz-window-XXXXXX.png")));
    if (import.isEmpty() || !file.open())
        return {};
    QProcess process;
    process.setProcessEnvironment(x.environment());
    process.start(import, {QStringLiteral("-window"), windowId, file.fileName()});
    process.waitForFinished(10000);
    return QImage(file.fileName());
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace e2e
