#include "app/ui/NewConnectionDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CKivNewConnectionDlg::CKivNewConnectionDlg(const QString &dataSourceName, QWidget *parent)
    : QDialog(parent), m_form(dataSourceName), m_fields(new QFormLayout)
{
    setWindowTitle(CKivNewConnectionForm::Caption());
    auto *intro = new QLabel(QStringLiteral("Ein Katalog auf einem PostgreSQL-Server, den mehrere Computer "
                                            "gemeinsam benutzen. Das Paßwort wird nur in der Paßwortdatei "
                                            "des Benutzers (~/.pgpass) gespeichert."),
                             this);
    intro->setWordWrap(true);

    m_name = addField(QStringLiteral("Verbindungsname:"), QStringLiteral("dataSourceName"), dataSourceName);
    m_server = addField(QStringLiteral("Server:"), QStringLiteral("server"), QString());
    m_port = addField(QStringLiteral("Port:"), QStringLiteral("port"), m_form.PortText());
    m_port->setValidator(new QIntValidator(1, 65535, m_port));
    m_database = addField(QStringLiteral("Datenbank:"), QStringLiteral("database"), QStringLiteral("melvora"));
    m_user = addField(QStringLiteral("Benutzer:"), QStringLiteral("user"), qEnvironmentVariable("USER"));
    m_password = addField(QStringLiteral("Paßwort:"), QStringLiteral("password"), QString());
    m_password->setEchoMode(QLineEdit::Password);
    m_encryption = new QComboBox(this);
    m_encryption->setObjectName(QStringLiteral("encryption"));
    m_encryption->addItems(CKivNewConnectionForm::SslModeLabels());
    m_encryption->setCurrentIndex(m_form.SslModeIndex());
    m_fields->addRow(QStringLiteral("Verschlüsselung:"), m_encryption);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivNewConnectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivNewConnectionDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(m_fields);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    m_server->setFocus();
}

QLineEdit *CKivNewConnectionDlg::addField(const QString &label, const QString &name, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    m_fields->addRow(label, edit);
    return edit;
}

void CKivNewConnectionDlg::accept()
{
    m_form.SetDataSourceName(m_name->text());
    m_form.Source().host = m_server->text();
    m_form.SetPort(m_port->text());
    m_form.Source().database = m_database->text();
    m_form.Source().user = m_user->text();
    m_form.SetPassword(m_password->text());
    m_form.SetSslModeIndex(m_encryption->currentIndex());
    if (m_form.Accept())
        QDialog::accept();
}
