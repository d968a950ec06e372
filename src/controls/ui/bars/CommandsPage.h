#pragma once

#include "controls/ui/bars/CommandCategories.h"

#include <QWidget>

class CKivToolBarManager;
class QComboBox;
class QListWidget;
class QPushButton;
class QToolBar;

// Tab "Befehle": the commands of a menu (or all), put on the chosen bar after its selected button,
// and the bar's buttons removed or moved.
class CKivCommandsPage : public QWidget
{
    Q_OBJECT

public:
    CKivCommandsPage(CKivToolBarManager &manager, QWidget *parent = nullptr);

private:
    void fillCommands();
    void fillBars();
    void fillButtons();
    QToolBar *currentBar() const;
    // Puts id after the selected button (at the end when none is selected) and selects it.
    void insert(int id);
    void onAdd();
    void onRemove();
    void move(int delta);

    CKivToolBarManager &m_manager;
    QList<CKivCommandCategories::Category> m_categories;
    QComboBox *m_category;
    QListWidget *m_commands;
    QComboBox *m_bar;
    QListWidget *m_buttons;
    bool m_filling = false;
};
