#include "controls/ui/bars/ToolBarMenu.h"

#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ToolBarManager.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

namespace {
QStatusBar *statusBarOf(QMainWindow &frame)
{
    // statusBar() would create one for a frame that has none.
    return frame.findChild<QStatusBar *>(QString(), Qt::FindDirectChildrenOnly);
}

// Checked as the command says when it is checkable, else as the widget is shown.
bool shownState(const CKivCommandRegistry &commands, int id, const QWidget *widget)
{
    if (const QAction *action = commands.action(id); action && action->isCheckable())
        return action->isChecked();
    return widget && !widget->isHidden();
}
} // namespace

QMenu *CKivToolBarMenu::create(CKivToolBarManager &manager, QToolBar *standardBar, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    CKivCommandRegistry &commands = manager.commands();
    QMainWindow &frame = manager.frame();
    const QPointer<QToolBar> standard(standardBar);

    commands.updateStates();
    QAction *standardEntry = menu->addAction(QStringLiteral("Standard Toolbar"));
    standardEntry->setCheckable(true);
    standardEntry->setChecked(shownState(commands, kStandardBarCommand, standard));
    standardEntry->setEnabled(standard || commands.action(kStandardBarCommand));
    QObject::connect(standardEntry, &QAction::triggered, menu, [&commands, standard] {
        if (!commands.dispatch(kStandardBarCommand) && standard)
            standard->setVisible(standard->isHidden());
    });

    QStatusBar *status = statusBarOf(frame);
    QAction *statusEntry = menu->addAction(QStringLiteral("&Status Bar"));
    statusEntry->setCheckable(true);
    statusEntry->setChecked(shownState(commands, kStatusBarCommand, status));
    statusEntry->setEnabled(status || commands.action(kStatusBarCommand));
    QObject::connect(statusEntry, &QAction::triggered, menu, [&commands, &frame] {
        if (commands.dispatch(kStatusBarCommand))
            return;
        if (QStatusBar *bar = statusBarOf(frame))
            bar->setVisible(bar->isHidden());
    });

    menu->addSeparator();
    QAction *customizeEntry = menu->addAction(QStringLiteral("&Anpassen..."));
    const QPointer<QWidget> owner(parent);
    QObject::connect(customizeEntry, &QAction::triggered, &manager, [&manager, &commands, owner] {
        if (!commands.dispatch(kCustomizeCommand))
            manager.customize(owner ? owner.data() : &manager.frame());
    }, Qt::QueuedConnection);
    return menu;
}
