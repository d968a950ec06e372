#include "app/ui/LoginDlg.h"
#include "controls/ui/FieldLabel.h"

#include "controls/ui/Banner.h"
#include "app/ui/UserAdminDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CKivLoginDlg::CKivLoginDlg(CKivSettings &settings, CKivDatabase &db, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_form(settings, db)
    , m_users(new QComboBox(this))
    , m_password(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Melvora"));
    setWindowIcon(QIcon(QStringLiteral(":/melvora/ui/melvora.svg")));
    m_users->setObjectName(QStringLiteral("userList"));
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *login = buttons->addButton(QStringLiteral("Anmelden"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    QPushButton *users = buttons->addButton(QStringLiteral("Benutzer"), QDialogButtonBox::ActionRole);
    login->setObjectName(QStringLiteral("loginButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    users->setObjectName(QStringLiteral("usersButton"));
    login->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivLoginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivLoginDlg::reject);
    connect(users, &QPushButton::clicked, this, &CKivLoginDlg::openUserAdmin);
    connect(m_users, &QComboBox::currentIndexChanged, this, [this](int index) { m_form.Select(index); });

    auto *fields = new QVBoxLayout;
    fields->setContentsMargins(12, 8, 12, 8);
    fields->addWidget(KivFieldLabel(QStringLiteral("Benutzerliste:"), m_users, this));
    fields->addWidget(m_users);
    fields->addWidget(KivFieldLabel(QStringLiteral("Passwort:"), m_password, this));
    fields->addWidget(m_password);
    fields->addSpacing(8);
    fields->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new CKivBanner(QStringLiteral("Anmeldung"),
                                     QStringLiteral("Bitte wählen Sie Ihren Benutzernamen aus der Liste aus."),
                                     QIcon(QStringLiteral(":/melvora/ui/icons/login.svg")), this));
    layout->addLayout(fields);
    setMinimumWidth(360);

    fillList();
    m_password->setFocus();
}

void CKivLoginDlg::fillList()
{
    m_form.Refill();
    const QSignalBlocker block(m_users);
    m_users->clear();
    for (const CKivLoginForm::Entry &entry : m_form.Entries())
        m_users->addItem(entry.name, entry.id);
    m_users->setCurrentIndex(m_form.CurrentIndex());
}

void CKivLoginDlg::openUserAdmin()
{
    CKivUserAdminDlg dialog(m_db, this);
    dialog.exec();
    fillList();
}

void CKivLoginDlg::accept()
{
    // The typed password stays in the field when it is wrong.
    if (m_form.Accept(m_password->text()))
        QDialog::accept();
}
