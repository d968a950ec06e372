#include "controls/ui/bars/KeyboardMap.h"

#include "core/ProfileStore.h"
#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ToolBarProfile.h"

#include <QAction>
#include <QSet>

CKivKeyboardMap::CKivKeyboardMap(CKivCommandRegistry &commands)
    : m_commands(commands)
{
}

QList<QKeySequence> CKivKeyboardMap::keys(int id) const
{
    const QAction *action = m_commands.action(id);
    return action ? action->shortcuts() : QList<QKeySequence>();
}

int CKivKeyboardMap::owner(const QKeySequence &key) const
{
    if (key.isEmpty())
        return 0;
    const QList<int> ids = m_commands.ids();
    for (int id : ids) {
        if (keys(id).contains(key))
            return id;
    }
    return 0;
}

bool CKivKeyboardMap::addKey(int id, const QKeySequence &key)
{
    QAction *action = m_commands.action(id);
    if (!action || key.isEmpty() || owner(key) != 0)
        return false;
    QList<QKeySequence> current = action->shortcuts();
    current.append(key);
    action->setShortcuts(current);
    return true;
}

void CKivKeyboardMap::removeKey(int id, const QKeySequence &key)
{
    if (QAction *action = m_commands.action(id)) {
        QList<QKeySequence> current = action->shortcuts();
        current.removeAll(key);
        action->setShortcuts(current);
    }
}

void CKivKeyboardMap::setKeys(int id, const QList<QKeySequence> &keys)
{
    if (QAction *action = m_commands.action(id); action && action->shortcuts() != keys)
        action->setShortcuts(keys);
}

void CKivKeyboardMap::resetAll()
{
    const QList<int> ids = m_commands.ids();
    for (int id : ids)
        setKeys(id, m_commands.defaultKeys(id));
}

QMap<int, QList<QKeySequence>> CKivKeyboardMap::all() const
{
    QMap<int, QList<QKeySequence>> result;
    const QList<int> ids = m_commands.ids();
    for (int id : ids)
        result.insert(id, keys(id));
    return result;
}

void CKivKeyboardMap::restore(const QMap<int, QList<QKeySequence>> &keys)
{
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        setKeys(it.key(), it.value());
}

void CKivKeyboardMap::load(const CKivProfileStore &store, const QString &section)
{
    QMap<int, QList<QKeySequence>> stored;
    const QStringList names = store.keys(section);
    for (const QString &name : names) {
        bool ok = false;
        const int id = name.toInt(&ok);
        if (!ok || !m_commands.action(id))
            continue;
        if (const auto keys = CKivToolBarProfile::parseKeys(store.value(section, name)))
            stored.insert(id, *keys);
    }

    // Stored commands claim their keys first; the others keep what of their registered keys is left.
    QSet<QKeySequence> taken;
    QMap<int, QList<QKeySequence>> result;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        QList<QKeySequence> kept;
        for (const QKeySequence &key : it.value()) {
            if (!taken.contains(key)) {
                taken.insert(key);
                kept.append(key);
            }
        }
        result.insert(it.key(), kept);
    }
    const QList<int> ids = m_commands.ids();
    for (int id : ids) {
        if (result.contains(id))
            continue;
        QList<QKeySequence> kept;
        const QList<QKeySequence> defaults = m_commands.defaultKeys(id);
        for (const QKeySequence &key : defaults) {
            if (!taken.contains(key)) {
                taken.insert(key);
                kept.append(key);
            }
        }
        result.insert(id, kept);
    }
    restore(result);
}

void CKivKeyboardMap::save(CKivProfileStore &store, const QString &section) const
{
    store.removeSection(section);
    const QList<int> ids = m_commands.ids();
    for (int id : ids) {
        const QList<QKeySequence> current = keys(id);
        if (current != m_commands.defaultKeys(id))
            store.setValue(section, QString::number(id), CKivToolBarProfile::formatKeys(current));
    }
}
