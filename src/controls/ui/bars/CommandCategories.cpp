#include "controls/ui/bars/CommandCategories.h"

#include "controls/ui/CommandRegistry.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
// "&Datei" reads "Datei"; "Drag && Drop" reads "Drag & Drop".
QString withoutMnemonics(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        result += text[i];
    }
    return result;
}
} // namespace

QList<CKivCommandCategories::Category> CKivCommandCategories::build(const QMainWindow &frame,
                                                                   const CKivCommandRegistry &commands)
{
    QList<Category> result;
    result.append({QStringLiteral("Alle Befehle"), commands.ids()});
    // menuWidget() never creates a menu bar the frame does not have.
    const auto *menuBar = qobject_cast<const QMenuBar *>(frame.menuWidget());
    if (!menuBar)
        return result;
    const QList<QAction *> menus = menuBar->actions();
    for (const QAction *entry : menus) {
        if (!entry->menu())
            continue;
        Category category{withoutMnemonics(entry->text()), {}};
        collect(*entry->menu(), category.ids);
        if (!category.ids.isEmpty())
            result.append(category);
    }
    return result;
}

void CKivCommandCategories::collect(const QMenu &menu, QList<int> &ids)
{
    const QList<QAction *> actions = menu.actions();
    for (const QAction *action : actions) {
        if (action->menu()) {
            collect(*action->menu(), ids);
        } else if (const int id = CKivCommandRegistry::idOf(action); id != 0 && !ids.contains(id)) {
            ids.append(id);
        }
    }
}

QString CKivCommandCategories::displayText(const CKivCommandRegistry &commands, int id)
{
    QString text;
    if (const QAction *action = commands.action(id))
        text = withoutMnemonics(action->text()).trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Befehl %1").arg(id);
    return text;
}
