#pragma once

#include "controls/CommandTarget.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QAction;

// Every command of the program as one QAction under its numeric id, so menus, tool bars, context
// menus and shortcuts all reach the same action and can be stored and restored by id. A triggered
// command goes to the active view when it handles the id, else to the handler registered for it;
// a command that nobody handles is disabled.
class CKivCommandRegistry : public QObject
{
    Q_OBJECT

public:
    // A handler outside the views (frame, application, document) with an optional state query.
    struct Handler {
        std::function<void()> run;
        std::function<IKivCommandTarget::State()> state; // empty: always enabled, not checkable
    };

    explicit CKivCommandRegistry(QObject *parent = nullptr);
    ~CKivCommandRegistry() override;

    // Creates (or returns the existing) action of id. The prompt is the status bar text.
    QAction *add(int id, const QString &text, const QString &prompt = QString(),
                 const QList<QKeySequence> &keys = {});
    QAction *action(int id) const;
    QList<int> ids() const;
    // The id of an action created here, or 0.
    static int idOf(const QAction *action);

    void setHandler(int id, Handler handler);
    // Commands go to target first while it is active; null makes no view active.
    void setActiveTarget(IKivCommandTarget *target, QWidget *widget);
    IKivCommandTarget *activeTarget() const;
    // The widget of the active target, for the frame to watch; null when none.
    QWidget *activeWidget() const { return m_activeWidget; }

    // Runs id through the active target or the handler; false when nobody took it.
    bool dispatch(int id);
    // Every dispatched command runs inside around (the frame reports catalog failures of a command
    // there, once per command).
    using Around = std::function<void(const std::function<void()> &run)>;
    void setAround(Around around) { m_around = std::move(around); }
    // Sets enabled and checked of every action from the active target and the handlers.
    void updateStates();

    // Keyboard shortcuts of every action as they were registered (for "reset").
    QList<QKeySequence> defaultKeys(int id) const;

private:
    bool stateOf(int id, IKivCommandTarget::State &state) const;
    void run(const std::function<void()> &command);

    std::map<int, QAction *> m_actions;
    std::map<int, Handler> m_handlers;
    std::map<int, QList<QKeySequence>> m_defaultKeys;
    IKivCommandTarget *m_activeTarget = nullptr;
    QPointer<QWidget> m_activeWidget;
    Around m_around;
};
