#pragma once

#include "controls/ui/bars/CommandCategories.h"

#include <QWidget>

class CKivToolBarManager;
class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QListWidget;
class QPushButton;

// Tab "Tastatur": the keys of a command, a new key assigned (refused with a note when another
// command holds it), a key removed, and every key back to the program's own.
class CKivKeyboardPage : public QWidget
{
    Q_OBJECT

public:
    CKivKeyboardPage(CKivToolBarManager &manager, QWidget *parent = nullptr);

private:
    void fillCommands();
    void fillKeys();
    int currentCommand() const;
    void checkKey();
    void onAssign();
    void onRemove();
    void onResetAll();

    CKivToolBarManager &m_manager;
    QList<CKivCommandCategories::Category> m_categories;
    QComboBox *m_category;
    QListWidget *m_commands;
    QListWidget *m_keys;
    QKeySequenceEdit *m_edit;
    QLabel *m_note;
    QPushButton *m_assign;
};
