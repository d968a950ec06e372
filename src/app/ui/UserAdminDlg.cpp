#include "app/ui/UserAdminDlg.h"

#include "controls/ui/Banner.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QIcon userIcon()
{
    return QIcon(QStringLiteral(":/melvora/ui/icons/user.svg"));
}

// Shown in the empty password field of a user who has a password: it is kept unless changed.
QString keptPasswordHint()
{
    return QString(8, QChar(0x2022));
}

} // namespace

CKivUserAdminDlg::CKivUserAdminDlg(CKivDatabase &db, QWidget *parent)
    : QDialog(parent)
    , m_form(db)
    , m_list(new QTableWidget(0, 1, this))
    , m_oldPasswordTimer(new QTimer(this))
{
    using F = CKivUserAdminForm;
    setWindowTitle(QStringLiteral("Benutzerverwaltung:"));

    m_list->setObjectName(QStringLiteral("userList"));
    m_list->setAccessibleName(QStringLiteral("Benutzer"));
    m_list->setHorizontalHeaderLabels({QStringLiteral("Benutzer:")});
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setMinimumWidth(180);
    // Only a mouse click loads a user; moving the selection with the keys does not.
    connect(m_list, &QTableWidget::itemClicked, this, &CKivUserAdminDlg::listClicked);

    const char *names[] = {"userName", "firstName", "surname", "email", "password", "oldPassword"};
    for (int i = 0; i < F::FieldCount; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QLatin1String(names[i]));
        const auto field = static_cast<F::Field>(i);
        connect(m_fields[i], &QLineEdit::textEdited, this, [this, field](const QString &text) {
            m_form.SetText(field, text);
            if (field == F::OldPassword)
                m_oldPasswordTimer->start();
            else if (field == F::Password)
                m_fields[F::Password]->setPlaceholderText(QString());
        });
    }
    m_fields[F::Password]->setEchoMode(QLineEdit::Password);
    m_fields[F::OldPassword]->setEchoMode(QLineEdit::Password);
    m_oldPasswordTimer->setSingleShot(true);
    m_oldPasswordTimer->setInterval(OldPasswordDelayMs);
    connect(m_oldPasswordTimer, &QTimer::timeout, this, [this] {
        m_form.CheckOldPassword();
        showForm();
    });

    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Benutzername:"), m_fields[F::UserName]);
    form->addRow(QStringLiteral("Vorname:"), m_fields[F::FirstName]);
    form->addRow(QStringLiteral("Nachname:"), m_fields[F::Surname]);
    form->addRow(QStringLiteral("E-Mail:"), m_fields[F::Email]);
    form->addRow(QStringLiteral("Passwort:"), m_fields[F::Password]);
    form->addRow(separator);
    form->addRow(QStringLiteral("Passwort (Alt):"), m_fields[F::OldPassword]);

    auto *newButton = new QPushButton(QStringLiteral("Neu"), this);
    auto *saveButton = new QPushButton(QStringLiteral("Speichern"), this);
    m_delete = new QPushButton(QStringLiteral("Löschen"), this);
    newButton->setObjectName(QStringLiteral("newButton"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    newButton->setAutoDefault(false);
    saveButton->setAutoDefault(false);
    m_delete->setAutoDefault(false);
    connect(newButton, &QPushButton::clicked, this, [this] { runAction(&F::New); });
    connect(saveButton, &QPushButton::clicked, this, [this] { runAction(&F::Save); });
    connect(m_delete, &QPushButton::clicked, this, [this] { runAction(&F::Delete); });
    auto *actions = new QHBoxLayout;
    actions->addWidget(newButton);
    actions->addWidget(saveButton);
    actions->addWidget(m_delete);

    auto *group = new QGroupBox(QStringLiteral("Benutzer Daten:"), this);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(form);
    groupLayout->addLayout(actions);
    groupLayout->addStretch(1);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(12, 8, 12, 0);
    body->addWidget(m_list, 1);
    body->addWidget(group, 2);

    auto *closeBox = new QDialogButtonBox(this);
    QPushButton *close = closeBox->addButton(QStringLiteral("Schließen"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(closeBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    closeBox->setContentsMargins(12, 0, 12, 8);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new CKivBanner(QStringLiteral("Benutzerverwaltung"),
                                     QStringLiteral("Hier können Sie Benutzer anlegen, bearbeiten und löschen."),
                                     userIcon(), this));
    layout->addLayout(body, 1);
    layout->addWidget(closeBox);
    resize(560, 380);

    m_form.Refill();
    showForm();
}

void CKivUserAdminDlg::runAction(void (CKivUserAdminForm::*action)())
{
    // A pending old-password check belongs to the user shown before the action.
    if (m_oldPasswordTimer->isActive()) {
        m_oldPasswordTimer->stop();
        m_form.CheckOldPassword();
    }
    (m_form.*action)();
    showForm();
}

void CKivUserAdminDlg::listClicked()
{
    const QList<QTableWidgetItem *> selected = m_list->selectedItems();
    const int id = selected.isEmpty() ? -1 : selected.constFirst()->data(Qt::UserRole).toInt();
    m_oldPasswordTimer->stop();
    m_form.Click(id);
    showForm();
}

void CKivUserAdminDlg::rebuildList()
{
    m_shownRefill = m_form.RefillCount();
    m_list->clearSelection();
    m_list->setRowCount(0);
    const QIcon icon = userIcon();
    for (const CKivUserAdminForm::Entry &entry : m_form.Entries()) {
        auto *item = new QTableWidgetItem(icon, entry.name);
        item->setData(Qt::UserRole, entry.id);
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        m_list->setItem(row, 0, item);
    }
}

void CKivUserAdminDlg::showForm()
{
    using F = CKivUserAdminForm;
    if (m_shownRefill != m_form.RefillCount())
        rebuildList();
    for (int i = 0; i < F::FieldCount; ++i) {
        const auto field = static_cast<F::Field>(i);
        if (m_fields[i]->text() != m_form.Text(field))
            m_fields[i]->setText(m_form.Text(field));
        m_fields[i]->setEnabled(m_form.IsEnabled(field));
    }
    const bool hint = m_form.LoadedUserHasPassword() && !m_form.IsPasswordEdited();
    m_fields[F::Password]->setPlaceholderText(hint ? keptPasswordHint() : QString());
    m_delete->setEnabled(m_form.IsDeleteEnabled());
}
