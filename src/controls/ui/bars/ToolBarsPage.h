#pragma once

#include <QWidget>

class CKivToolBarManager;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolBar;

// Tab "Symbolleisten": the bars with a check for shown, new, renamed and deleted user-defined bars,
// and a default bar reset to its buttons.
class CKivToolBarsPage : public QWidget
{
    Q_OBJECT

public:
    CKivToolBarsPage(CKivToolBarManager &manager, QWidget *parent = nullptr);

private:
    void refresh();
    void updateButtons();
    QToolBar *selectedBar() const;
    void onItemChanged(QListWidgetItem *item);
    void onNew();
    void onRename();
    void onDelete();
    void onReset();

    CKivToolBarManager &m_manager;
    QListWidget *m_list;
    QPushButton *m_new;
    QPushButton *m_rename;
    QPushButton *m_delete;
    QPushButton *m_reset;
    bool m_filling = false;
};
