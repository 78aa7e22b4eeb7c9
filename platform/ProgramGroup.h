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
        // What the Program Manager read from a program file itself and a menu entry must be told.
        QString icon = {};        // an image file
        QString windowClass = {}; // the class its windows carry, so the dock shows them under the entry
        QString comment = {};     // the entry's tip
    };

    // False for a command that is not understood, or an item before any group.
    bool execute(const QString &command);

    // Gives the item added with `path` its icon, window class and tip; false when no item has it.
    bool describeItem(const QString &path, const QString &icon, const QString &windowClass,
                      const QString &comment);

    // Installs the collected group; true when the menu tool reported success.
    bool finish();

    QString groupName() const { return m_group; }
    QList<Item> items() const { return m_items; }

private:
    QString m_group;
    QList<Item> m_items;
};

// The text of the desktop entry for one item, in the Education and Languages categories: a program (an
// executable file, or one named ".EXE", which desktops would take for a Windows program) runs directly in its
// own folder; anything else is opened with the desktop's handler for its type.
QString desktopEntryForItem(const ProgramGroup::Item &item);

// Tests receive the menu tool's arguments instead of running it; the files the arguments name
// exist during the call. An empty function restores the real tool.
void setMenuInstallerForTesting(std::function<bool(const QStringList &arguments)> installer);

} // namespace platform
