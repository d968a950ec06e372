#include "controls/ui/bars/CommandsPage.h"

#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ToolBarManager.h"
#include "controls/ui/FieldLabel.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString kSeparatorText = QStringLiteral("--- Trennlinie ---");

QPushButton *makeButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

CKivCommandsPage::CKivCommandsPage(CKivToolBarManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_categories(CKivCommandCategories::build(manager.frame(), manager.commands()))
    , m_category(new QComboBox(this))
    , m_commands(new QListWidget(this))
    , m_bar(new QComboBox(this))
    , m_buttons(new QListWidget(this))
{
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_commands->setObjectName(QStringLiteral("commandList"));
    m_bar->setObjectName(QStringLiteral("barBox"));
    m_buttons->setObjectName(QStringLiteral("buttonList"));
    for (const auto &category : std::as_const(m_categories))
        m_category->addItem(category.name);

    auto *add = makeButton(QStringLiteral("Hinzufügen >"), "addButton", this);
    auto *separator = makeButton(QStringLiteral("Trennlinie >"), "separatorButton", this);
    auto *remove = makeButton(QStringLiteral("< Entfernen"), "removeButton", this);
    auto *up = makeButton(QStringLiteral("Nach oben"), "upButton", this);
    auto *down = makeButton(QStringLiteral("Nach unten"), "downButton", this);
    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(separator);
    middle->addWidget(remove);
    middle->addSpacing(12);
    middle->addWidget(up);
    middle->addWidget(down);
    middle->addStretch();

    m_commands->setAccessibleName(QStringLiteral("Befehle"));
    m_buttons->setAccessibleName(QStringLiteral("Schaltflächen der Symbolleiste"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(KivFieldLabel(QStringLiteral("Kategorie:"), m_category, this), 0, 0);
    grid->addWidget(m_category, 1, 0);
    grid->addWidget(m_commands, 2, 0);
    grid->addLayout(middle, 2, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Symbolleiste:"), m_bar, this), 0, 2);
    grid->addWidget(m_bar, 1, 2);
    grid->addWidget(m_buttons, 2, 2);

    connect(m_category, &QComboBox::currentIndexChanged, this, &CKivCommandsPage::fillCommands);
    connect(m_bar, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            fillButtons();
    });
    connect(m_commands, &QListWidget::itemDoubleClicked, this, &CKivCommandsPage::onAdd);
    connect(add, &QPushButton::clicked, this, &CKivCommandsPage::onAdd);
    connect(separator, &QPushButton::clicked, this, [this] { insert(0); });
    connect(remove, &QPushButton::clicked, this, &CKivCommandsPage::onRemove);
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(&m_manager, &CKivToolBarManager::toolBarsChanged, this, &CKivCommandsPage::fillBars);
    fillCommands();
    fillBars();
}

void CKivCommandsPage::fillCommands()
{
    m_commands->clear();
    const int index = m_category->currentIndex();
    if (index < 0 || index >= m_categories.size())
        return;
    for (int id : m_categories[index].ids) {
        if (!m_manager.isKnownCommand(id))
            continue;
        auto *item = new QListWidgetItem(CKivCommandCategories::displayText(m_manager.commands(), id), m_commands);
        item->setData(Qt::UserRole, id);
        if (const QAction *action = m_manager.commands().action(id))
            item->setIcon(action->icon());
    }
}

void CKivCommandsPage::fillBars()
{
    QToolBar *current = currentBar();
    m_filling = true;
    m_bar->clear();
    const QList<QToolBar *> bars = m_manager.toolBars();
    for (QToolBar *bar : bars) {
        m_bar->addItem(bar->windowTitle(), bar->objectName());
        if (bar == current)
            m_bar->setCurrentIndex(m_bar->count() - 1);
    }
    m_filling = false;
    fillButtons();
}

QToolBar *CKivCommandsPage::currentBar() const
{
    return m_manager.toolBar(m_bar->currentData().toString());
}

void CKivCommandsPage::fillButtons()
{
    const int row = m_buttons->currentRow();
    m_buttons->clear();
    const QList<int> ids = m_manager.buttons(currentBar());
    for (int id : ids) {
        auto *item = new QListWidgetItem(
            id == 0 ? kSeparatorText : CKivCommandCategories::displayText(m_manager.commands(), id), m_buttons);
        item->setData(Qt::UserRole, id);
    }
    if (row >= 0 && m_buttons->count() > 0)
        m_buttons->setCurrentRow(std::min(row, m_buttons->count() - 1));
}

void CKivCommandsPage::insert(int id)
{
    QToolBar *bar = currentBar();
    if (!bar)
        return;
    QList<int> ids = m_manager.buttons(bar);
    if (id != 0 && ids.contains(id))
        return;
    const int row = m_buttons->currentRow();
    const int at = row >= 0 && row < ids.size() ? row + 1 : int(ids.size());
    ids.insert(at, id);
    m_manager.setButtons(bar, ids);
    m_buttons->setCurrentRow(at);
}

void CKivCommandsPage::onAdd()
{
    if (const QListWidgetItem *item = m_commands->currentItem())
        insert(item->data(Qt::UserRole).toInt());
}

void CKivCommandsPage::onRemove()
{
    QToolBar *bar = currentBar();
    QList<int> ids = m_manager.buttons(bar);
    const int row = m_buttons->currentRow();
    if (!bar || row < 0 || row >= ids.size())
        return;
    ids.removeAt(row);
    m_manager.setButtons(bar, ids);
    if (m_buttons->count() > 0)
        m_buttons->setCurrentRow(std::min(row, m_buttons->count() - 1));
}

void CKivCommandsPage::move(int delta)
{
    QToolBar *bar = currentBar();
    QList<int> ids = m_manager.buttons(bar);
    const int row = m_buttons->currentRow();
    const int to = row + delta;
    if (!bar || row < 0 || row >= ids.size() || to < 0 || to >= ids.size())
        return;
    ids.move(row, to);
    m_manager.setButtons(bar, ids);
    m_buttons->setCurrentRow(to);
}
