#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

// Stands in for the Program Manager's DDE conversation. The same execute strings,
// "[CreateGroup(name)]" and "[Additem(path,name)]", collect a group; finish() installs it as a
// freedesktop menu group of the user (xdg-desktop-menu install --mode user).
class ProgramGroup
{
public:
    struct Item
    {
        QString path;
        QString name;
    };

    // False for a command that is not understood, or an item before any group.
    bool execute(const QString &command);

    // Installs the collected group; true when the menu tool reported success.
    bool finish();

    QString groupName() const { return m_group; }
    QList<Item> items() const { return m_items; }

private:
    QString m_group;
    QList<Item> m_items;
};

// The text of the desktop entry for one item: a program runs in its own folder, anything else is
// opened with the desktop's handler for its type.
QString desktopEntryForItem(const ProgramGroup::Item &item);

// Tests receive the menu tool's arguments instead of running it; the files the arguments name
// exist during the call. An empty function restores the real tool.
void setMenuInstallerForTesting(std::function<bool(const QStringList &arguments)> installer);

} // namespace platform
