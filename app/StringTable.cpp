#include "app/StringTable.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

static void initStringResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

void mergeTable(QHash<int, QString> &table, const QString &resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        if (ok)
            table.insert(id, it.value().toString());
    }
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        initStringResources();
        QHash<int, QString> t;
        mergeTable(t, QStringLiteral(":/strings/strings.json"));
        mergeTable(t, QStringLiteral(":/strings/lessons-ar.json"));
        mergeTable(t, QStringLiteral(":/strings/lessons-en.json"));
        return t;
    }();
    return strings;
}

} // namespace

QString LoadResString(int id)
{
    return table().value(id);
}

int LoadResNumber(int id)
{
    const QString text = LoadResString(id).trimmed();
    int value = 0;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        value = value * 10 + (ch.unicode() - '0');
        if (value > 32767)
            return 32767;
    }
    return value;
}
