#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class CKivCommandRegistry;
class CKivProfileStore;
class QMenu;
class QWidget;

// The context menus registered by name ("Mp3liste", "Fileliste", ...) as lists of command ids, the
// menus built from the commands' actions, and their per-user state in the profile store.
class CKivContextMenus
{
public:
    explicit CKivContextMenus(CKivCommandRegistry &commands);

    // Registers name with its default command ids (0 = separator); a second call replaces them.
    void add(const QString &name, const QList<int> &ids);
    QStringList names() const { return m_order; }
    QList<int> ids(const QString &name) const;
    void setIds(const QString &name, const QList<int> &ids);
    // A menu of the commands' actions, owned by parent; null for an unknown name.
    QMenu *menu(const QString &name, QWidget *parent) const;

    // Resets every menu, then applies what section holds for the registered names.
    void load(const CKivProfileStore &store, const QString &section);
    void save(CKivProfileStore &store, const QString &section) const;

private:
    CKivCommandRegistry &m_commands;
    QStringList m_order;
    QHash<QString, QList<int>> m_defaults;
    QHash<QString, QList<int>> m_ids;
};
