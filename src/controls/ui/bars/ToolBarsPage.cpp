#include "controls/ui/bars/ToolBarsPage.h"

#include "controls/ui/bars/ToolBarManager.h"
#include "controls/ui/FieldLabel.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
QPushButton *makeButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

CKivToolBarsPage::CKivToolBarsPage(CKivToolBarManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_list(new QListWidget(this))
    , m_new(makeButton(QStringLiteral("Neu..."), "newButton", this))
    , m_rename(makeButton(QStringLiteral("Umbenennen..."), "renameButton", this))
    , m_delete(makeButton(QStringLiteral("Löschen"), "deleteButton", this))
    , m_reset(makeButton(QStringLiteral("Zurücksetzen"), "resetButton", this))
{
    m_list->setObjectName(QStringLiteral("barList"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_rename);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_reset);
    buttons->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(KivFieldLabel(QStringLiteral("Symbolleisten:"), m_list, this));
    layout->addLayout(row);

    connect(m_list, &QListWidget::itemChanged, this, &CKivToolBarsPage::onItemChanged);
    connect(m_list, &QListWidget::currentRowChanged, this, &CKivToolBarsPage::updateButtons);
    connect(m_new, &QPushButton::clicked, this, &CKivToolBarsPage::onNew);
    connect(m_rename, &QPushButton::clicked, this, &CKivToolBarsPage::onRename);
    connect(m_delete, &QPushButton::clicked, this, &CKivToolBarsPage::onDelete);
    connect(m_reset, &QPushButton::clicked, this, &CKivToolBarsPage::onReset);
    connect(&m_manager, &CKivToolBarManager::toolBarsChanged, this, &CKivToolBarsPage::refresh);
    refresh();
}

void CKivToolBarsPage::refresh()
{
    QToolBar *selected = selectedBar();
    m_filling = true;
    m_list->clear();
    const QList<QToolBar *> bars = m_manager.toolBars();
    for (QToolBar *bar : bars) {
        auto *item = new QListWidgetItem(bar->windowTitle(), m_list);
        item->setData(Qt::UserRole, bar->objectName());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(bar->isHidden() ? Qt::Unchecked : Qt::Checked);
        if (bar == selected)
            m_list->setCurrentItem(item);
    }
    m_filling = false;
    updateButtons();
}

QToolBar *CKivToolBarsPage::selectedBar() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? m_manager.toolBar(item->data(Qt::UserRole).toString()) : nullptr;
}

void CKivToolBarsPage::updateButtons()
{
    QToolBar *bar = selectedBar();
    const bool user = m_manager.isUserToolBar(bar);
    m_new->setEnabled(m_manager.userToolBars().size()
                      < CKivToolBarManager::kLastUserBarId - CKivToolBarManager::kFirstUserBarId + 1);
    m_rename->setEnabled(user);
    m_delete->setEnabled(user);
    m_reset->setEnabled(bar && !user);
}

void CKivToolBarsPage::onItemChanged(QListWidgetItem *item)
{
    if (m_filling)
        return;
    if (QToolBar *bar = m_manager.toolBar(item->data(Qt::UserRole).toString()))
        bar->setHidden(item->checkState() != Qt::Checked);
}

void CKivToolBarsPage::onNew()
{
    const int number = m_manager.userToolBars().size() + 1;
    bool ok = false;
    const QString title = QInputDialog::getText(this, QStringLiteral("Neue Symbolleiste"),
                                                QStringLiteral("Name der Symbolleiste:"), QLineEdit::Normal,
                                                QStringLiteral("Benutzerdefiniert %1").arg(number), &ok)
                              .trimmed();
    if (!ok || title.isEmpty())
        return;
    if (QToolBar *bar = m_manager.addUserToolBar(title)) {
        refresh();
        for (int row = 0; row < m_list->count(); ++row) {
            if (m_list->item(row)->data(Qt::UserRole).toString() == bar->objectName())
                m_list->setCurrentRow(row);
        }
    }
}

void CKivToolBarsPage::onRename()
{
    QToolBar *bar = selectedBar();
    if (!m_manager.isUserToolBar(bar))
        return;
    bool ok = false;
    const QString title = QInputDialog::getText(this, QStringLiteral("Symbolleiste umbenennen"),
                                                QStringLiteral("Name der Symbolleiste:"), QLineEdit::Normal,
                                                bar->windowTitle(), &ok)
                              .trimmed();
    if (ok && !title.isEmpty())
        m_manager.renameToolBar(bar, title);
}

void CKivToolBarsPage::onDelete()
{
    if (QToolBar *bar = selectedBar(); m_manager.isUserToolBar(bar))
        m_manager.removeUserToolBar(bar);
}

void CKivToolBarsPage::onReset()
{
    if (QToolBar *bar = selectedBar(); bar && !m_manager.isUserToolBar(bar))
        m_manager.resetToolBar(bar);
}
