#include "controls/ui/CommandRegistry.h"

#include <QAction>
#include <QWidget>

namespace {
const char *const kIdProperty = "kivCommandId";
}

CKivCommandRegistry::CKivCommandRegistry(QObject *parent)
    : QObject(parent)
{
}

CKivCommandRegistry::~CKivCommandRegistry() = default;

QAction *CKivCommandRegistry::add(int id, const QString &text, const QString &prompt,
                                  const QList<QKeySequence> &keys)
{
    if (QAction *existing = action(id))
        return existing;
    auto *act = new QAction(text, this);
    act->setProperty(kIdProperty, id);
    act->setStatusTip(prompt);
    act->setShortcuts(keys);
    // Shortcuts work wherever the focus is inside the main window.
    act->setShortcutContext(Qt::WindowShortcut);
    connect(act, &QAction::triggered, this, [this, id] { dispatch(id); });
    m_actions[id] = act;
    m_defaultKeys[id] = keys;
    return act;
}

QAction *CKivCommandRegistry::action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QList<int> CKivCommandRegistry::ids() const
{
    QList<int> result;
    for (const auto &entry : m_actions)
        result.append(entry.first);
    return result;
}

int CKivCommandRegistry::idOf(const QAction *action)
{
    return action ? action->property(kIdProperty).toInt() : 0;
}

void CKivCommandRegistry::setHandler(int id, Handler handler)
{
    m_handlers[id] = std::move(handler);
}

void CKivCommandRegistry::setActiveTarget(IKivCommandTarget *target, QWidget *widget)
{
    m_activeTarget = target;
    m_activeWidget = widget;
}

IKivCommandTarget *CKivCommandRegistry::activeTarget() const
{
    // A destroyed view is never asked again.
    return m_activeWidget ? m_activeTarget : nullptr;
}

bool CKivCommandRegistry::stateOf(int id, IKivCommandTarget::State &state) const
{
    if (IKivCommandTarget *target = activeTarget(); target && target->queryCommand(id, state))
        return true;
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !it->second.run)
        return false;
    state = it->second.state ? it->second.state() : IKivCommandTarget::State{};
    return true;
}

bool CKivCommandRegistry::dispatch(int id)
{
    IKivCommandTarget::State state;
    if (IKivCommandTarget *target = activeTarget(); target && target->queryCommand(id, state)) {
        if (!state.enabled)
            return false;
        run([target, id] { target->onCommand(id); });
        return true;
    }
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !it->second.run)
        return false;
    if (it->second.state && !it->second.state().enabled)
        return false;
    run(it->second.run);
    return true;
}

void CKivCommandRegistry::run(const std::function<void()> &command)
{
    if (m_around)
        m_around(command);
    else
        command();
}

void CKivCommandRegistry::updateStates()
{
    for (const auto &[id, act] : m_actions) {
        IKivCommandTarget::State state;
        const bool handled = stateOf(id, state);
        act->setEnabled(handled && state.enabled);
        act->setCheckable(handled && state.checkable);
        if (handled && state.checkable)
            act->setChecked(state.checked);
    }
}

QList<QKeySequence> CKivCommandRegistry::defaultKeys(int id) const
{
    const auto it = m_defaultKeys.find(id);
    return it == m_defaultKeys.end() ? QList<QKeySequence>() : it->second;
}
