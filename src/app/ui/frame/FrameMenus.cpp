#include "app/ui/frame/FrameMenus.h"

#include "app/ui/frame/CommandTable.h"
#include "controls/ui/CommandRegistry.h"

#include <QMap>
#include <QMenu>
#include <QMenuBar>

namespace KivFrameMenus {

namespace {

QMenu *menuFor(const QString &path, QMap<QString, QMenu *> &menus, QMenuBar &menuBar, CKivCommandRegistry &commands)
{
    if (QMenu *existing = menus.value(path))
        return existing;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QMenu *menu = nullptr;
    if (slash < 0) {
        menu = menuBar.addMenu(path);
    } else {
        QMenu *parentMenu = menuFor(path.left(slash), menus, menuBar, commands);
        menu = parentMenu->addMenu(path.mid(slash + 1));
    }
    menu->setObjectName(QStringLiteral("menu:") + path);
    QObject::connect(menu, &QMenu::aboutToShow, &commands, &CKivCommandRegistry::updateStates);
    menus.insert(path, menu);
    return menu;
}

} // namespace

void build(QMenuBar &menuBar, CKivCommandRegistry &commands)
{
    QMap<QString, QMenu *> menus;
    // The menu bar's order first, so that entries placed later do not change it.
    for (const QString &name : KivCommandTable::menuOrder())
        menuFor(name, menus, menuBar, commands);
    for (const KivCommandDef &def : KivCommandTable::commands()) {
        if (def.menu.isEmpty())
            continue;
        QMenu *menu = menuFor(def.menu, menus, menuBar, commands);
        if (def.separatorBefore && !menu->isEmpty())
            menu->addSeparator();
        if (QAction *action = commands.action(def.id))
            menu->addAction(action);
    }
}

} // namespace KivFrameMenus
