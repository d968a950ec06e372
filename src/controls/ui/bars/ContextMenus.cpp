#include "controls/ui/bars/ContextMenus.h"

#include "core/ProfileStore.h"
#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ToolBarProfile.h"

#include <QMenu>

CKivContextMenus::CKivContextMenus(CKivCommandRegistry &commands)
    : m_commands(commands)
{
}

void CKivContextMenus::add(const QString &name, const QList<int> &ids)
{
    if (!m_order.contains(name))
        m_order.append(name);
    m_defaults.insert(name, ids);
    m_ids.insert(name, ids);
}

QList<int> CKivContextMenus::ids(const QString &name) const
{
    return m_ids.value(name);
}

void CKivContextMenus::setIds(const QString &name, const QList<int> &ids)
{
    if (m_order.contains(name))
        m_ids.insert(name, ids);
}

QMenu *CKivContextMenus::menu(const QString &name, QWidget *parent) const
{
    if (!m_order.contains(name))
        return nullptr;
    auto *result = new QMenu(parent);
    const QList<int> entries = m_ids.value(name);
    for (int id : entries) {
        if (id == 0)
            result->addSeparator();
        else if (QAction *action = m_commands.action(id))
            result->addAction(action);
    }
    return result;
}

void CKivContextMenus::load(const CKivProfileStore &store, const QString &section)
{
    for (const QString &name : std::as_const(m_order)) {
        std::optional<QList<int>> stored;
        if (store.contains(section, name))
            stored = CKivToolBarProfile::parseIds(store.value(section, name));
        QList<int> kept;
        for (int id : stored.value_or(m_defaults.value(name))) {
            if (id == 0 || m_commands.action(id))
                kept.append(id);
        }
        m_ids.insert(name, kept);
    }
}

void CKivContextMenus::save(CKivProfileStore &store, const QString &section) const
{
    store.removeSection(section);
    for (const QString &name : m_order)
        store.setValue(section, name, CKivToolBarProfile::formatIds(m_ids.value(name)));
}
