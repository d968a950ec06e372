#pragma once

#include <QList>
#include <QString>

class CKivCommandRegistry;
class QMainWindow;
class QMenu;

// The commands grouped as the menu bar shows them, for the customisation dialog: one category per
// top-level menu (with the commands of its sub-menus) and "Alle Befehle" with every command.
class CKivCommandCategories
{
public:
    struct Category {
        QString name;
        QList<int> ids;
    };

    // "Alle Befehle" first, then the menus of the frame's menu bar in their order.
    static QList<Category> build(const QMainWindow &frame, const CKivCommandRegistry &commands);
    // The command's text as a list shows it: without accelerator marks, never empty.
    static QString displayText(const CKivCommandRegistry &commands, int id);

private:
    static void collect(const QMenu &menu, QList<int> &ids);
};
