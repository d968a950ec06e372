#include "controls/ui/bars/KeyboardPage.h"

#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/KeyboardMap.h"
#include "controls/ui/bars/ToolBarManager.h"
#include "controls/ui/FieldLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
QPushButton *makeButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

CKivKeyboardPage::CKivKeyboardPage(CKivToolBarManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_categories(CKivCommandCategories::build(manager.frame(), manager.commands()))
    , m_category(new QComboBox(this))
    , m_commands(new QListWidget(this))
    , m_keys(new QListWidget(this))
    , m_edit(new QKeySequenceEdit(this))
    , m_note(new QLabel(this))
    , m_assign(makeButton(QStringLiteral("Zuweisen"), "assignButton", this))
{
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_commands->setObjectName(QStringLiteral("commandList"));
    m_keys->setObjectName(QStringLiteral("keyList"));
    m_edit->setObjectName(QStringLiteral("keyEdit"));
    m_note->setObjectName(QStringLiteral("noteLabel"));
    m_note->setWordWrap(true);
    for (const auto &category : std::as_const(m_categories))
        m_category->addItem(category.name);
    auto *remove = makeButton(QStringLiteral("Entfernen"), "removeKeyButton", this);
    auto *resetAll = makeButton(QStringLiteral("Alle zurücksetzen"), "resetAllButton", this);

    auto *editRow = new QHBoxLayout;
    editRow->addWidget(m_edit, 1);
    editRow->addWidget(m_assign);
    // The key field takes its keys in an inner line edit, which is what a screen reader meets.
    m_edit->setAccessibleName(QStringLiteral("Neue Tastenkombination"));
    for (QWidget *inner : m_edit->findChildren<QWidget *>())
        inner->setAccessibleName(m_edit->accessibleName());
    auto *grid = new QGridLayout(this);
    grid->addWidget(KivFieldLabel(QStringLiteral("Kategorie:"), m_category, this), 0, 0);
    grid->addWidget(m_category, 1, 0);
    grid->addWidget(KivFieldLabel(QStringLiteral("Befehle:"), m_commands, this), 2, 0);
    grid->addWidget(m_commands, 3, 0, 4, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Aktuelle Tasten:"), m_keys, this), 0, 1);
    grid->addWidget(m_keys, 1, 1, 2, 1);
    grid->addWidget(remove, 3, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Neue Tastenkombination:"), m_edit, this), 4, 1);
    grid->addLayout(editRow, 5, 1);
    grid->addWidget(m_note, 6, 1);
    grid->addWidget(resetAll, 7, 1);

    connect(m_category, &QComboBox::currentIndexChanged, this, &CKivKeyboardPage::fillCommands);
    connect(m_commands, &QListWidget::currentRowChanged, this, &CKivKeyboardPage::fillKeys);
    connect(m_edit, &QKeySequenceEdit::keySequenceChanged, this, &CKivKeyboardPage::checkKey);
    connect(m_assign, &QPushButton::clicked, this, &CKivKeyboardPage::onAssign);
    connect(remove, &QPushButton::clicked, this, &CKivKeyboardPage::onRemove);
    connect(resetAll, &QPushButton::clicked, this, &CKivKeyboardPage::onResetAll);
    fillCommands();
}

void CKivKeyboardPage::fillCommands()
{
    m_commands->clear();
    const int index = m_category->currentIndex();
    if (index >= 0 && index < m_categories.size()) {
        for (int id : m_categories[index].ids) {
            if (!m_manager.commands().action(id))
                continue;
            auto *item = new QListWidgetItem(CKivCommandCategories::displayText(m_manager.commands(), id),
                                             m_commands);
            item->setData(Qt::UserRole, id);
        }
    }
    fillKeys();
}

int CKivKeyboardPage::currentCommand() const
{
    const QListWidgetItem *item = m_commands->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void CKivKeyboardPage::fillKeys()
{
    m_keys->clear();
    const QList<QKeySequence> keys = m_manager.keyboard().keys(currentCommand());
    for (const QKeySequence &key : keys) {
        auto *item = new QListWidgetItem(key.toString(QKeySequence::NativeText), m_keys);
        item->setData(Qt::UserRole, QVariant::fromValue(key));
    }
    checkKey();
}

void CKivKeyboardPage::checkKey()
{
    const QKeySequence key = m_edit->keySequence();
    const int owner = m_manager.keyboard().owner(key);
    if (owner != 0) {
        m_note->setText(QStringLiteral("Diese Tastenkombination ist bereits dem Befehl \"%1\" zugewiesen.")
                            .arg(CKivCommandCategories::displayText(m_manager.commands(), owner)));
    } else {
        m_note->clear();
    }
    m_assign->setEnabled(currentCommand() != 0 && !key.isEmpty() && owner == 0);
}

void CKivKeyboardPage::onAssign()
{
    const int id = currentCommand();
    const QKeySequence key = m_edit->keySequence();
    if (id == 0 || key.isEmpty())
        return;
    if (!m_manager.keyboard().addKey(id, key)) {
        checkKey();
        return;
    }
    m_edit->clear();
    fillKeys();
}

void CKivKeyboardPage::onRemove()
{
    const QListWidgetItem *item = m_keys->currentItem();
    if (!item)
        return;
    m_manager.keyboard().removeKey(currentCommand(), item->data(Qt::UserRole).value<QKeySequence>());
    fillKeys();
}

void CKivKeyboardPage::onResetAll()
{
    m_manager.keyboard().resetAll();
    fillKeys();
}
