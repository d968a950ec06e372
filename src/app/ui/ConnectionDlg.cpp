#include "app/ui/ConnectionDlg.h"
#include "controls/ui/FieldLabel.h"

#include "app/ui/NewConnectionDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString defaultChooser(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), CKivConnectionForm::FileFilter());
}

CKivConnectionDlg::FileChooser &fileChooser()
{
    static CKivConnectionDlg::FileChooser chooser = defaultChooser;
    return chooser;
}

} // namespace

void CKivConnectionDlg::setFileChooser(FileChooser chooser)
{
    fileChooser() = chooser ? std::move(chooser) : FileChooser(defaultChooser);
}

CKivConnectionDlg::CKivConnectionDlg(CKivSettings &settings, CKivDatabase &db, QWidget *parent)
    : QDialog(parent)
    , m_form(settings, db)
    , m_aliasname(new QLineEdit(this))
    , m_username(new QLineEdit(this))
    , m_passwort(new QLineEdit(this))
    , m_status(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Datenbankverbindung"));
    m_aliasname->setObjectName(QStringLiteral("aliasname"));
    m_username->setObjectName(QStringLiteral("username"));
    m_passwort->setObjectName(QStringLiteral("passwort"));
    m_passwort->setEchoMode(QLineEdit::Password);
    m_status->setObjectName(QStringLiteral("status"));

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/melvora/ui/connection.svg")).pixmap(QSize(360, 64)));
    picture->setAlignment(Qt::AlignCenter);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 8, 12, 8);
    grid->addWidget(KivFieldLabel(QStringLiteral("Aliasname:"), m_aliasname, this), 0, 0);
    grid->addWidget(m_aliasname, 0, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Username:"), m_username, this), 1, 0);
    grid->addWidget(m_username, 1, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Paßwort;"), m_passwort, this), 2, 0);
    grid->addWidget(m_passwort, 2, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Status:"), m_status, this), 3, 0);
    grid->addWidget(m_status, 3, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *choose = buttons->addButton(QStringLiteral("Datei auswählen"), QDialogButtonBox::ActionRole);
    QPushButton *newConnection =
        buttons->addButton(QStringLiteral("Neue Verbindung..."), QDialogButtonBox::ActionRole);
    newConnection->setObjectName(QStringLiteral("newConnectionButton"));
    connect(newConnection, &QPushButton::clicked, this, &CKivConnectionDlg::addServerConnection);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    choose->setObjectName(QStringLiteral("chooseFileButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(choose, &QPushButton::clicked, this, &CKivConnectionDlg::chooseFile);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivConnectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivConnectionDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(picture);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    buttons->setContentsMargins(12, 0, 12, 0);
    setMinimumWidth(380);

    // The status tells whether a connection was open when the dialog came up.
    m_form.UpdateStatus();
    m_status->setText(m_form.StatusText());
    m_offerFileChoice = m_form.Open();
    m_aliasname->setText(m_form.Aliasname());
    m_username->setText(m_form.Username());
    m_passwort->setText(m_form.Passwort());
}

void CKivConnectionDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Without a working data source the user is led straight to choosing a catalog file.
    if (m_offerFileChoice)
        QTimer::singleShot(0, this, &CKivConnectionDlg::chooseFile);
}

void CKivConnectionDlg::takeFields()
{
    m_form.SetAliasname(m_aliasname->text());
    m_form.SetUsername(m_username->text());
    m_form.SetPasswort(m_passwort->text());
}

void CKivConnectionDlg::chooseFile()
{
    const QString path = fileChooser()(this);
    if (path.isEmpty())
        return;
    takeFields();
    m_form.ChooseFile(path);
}

void CKivConnectionDlg::addServerConnection()
{
    CKivNewConnectionDlg dialog(m_aliasname->text(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The new data source works: it becomes the dialog's, and the dialog connects as with "OK".
    m_aliasname->setText(dialog.DataSourceName());
    accept();
}

void CKivConnectionDlg::accept()
{
    takeFields();
    if (m_form.Accept())
        QDialog::accept();
}
