#include "media/ui/MediumDlg.h"

#include "media/DriveType.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/ui/FolderChooser.h"
#include "controls/ui/Banner.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CKivMediumDlg::CKivMediumDlg(CKivMediumForm &form, QWidget *parent)
    : QDialog(parent)
    , m_form(form)
    , m_name(new QLineEdit(this))
    , m_drive(new QLineEdit(this))
    , m_path(new QLineEdit(this))
    , m_driveType(new QComboBox(this))
    , m_offline(new QCheckBox(QStringLiteral("Online-Status des Mediums nicht prüfen"), this))
    , m_status(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Medium Erstellen/ Bearbeiten"));
    auto *band = new CKivBanner(QStringLiteral("Kiv Medium"),
                                    QStringLiteral("Legt hier die Eigenschaften des Mediums fest:"),
                                    style()->standardIcon(QStyle::SP_DriveHDIcon), this);

    m_name->setObjectName(QStringLiteral("name"));
    m_name->setText(m_form.Name());
    m_name->setEnabled(m_form.IsNameEditable());
    m_drive->setObjectName(QStringLiteral("drive"));
    m_drive->setReadOnly(true);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("chooseFolder"));
    choose->setAutoDefault(false);

    m_driveType->setObjectName(QStringLiteral("driveType"));
    for (int code = KivDriveType::Unknown; code <= KivDriveType::RamDisk; ++code)
        m_driveType->addItem(KivDriveType::text(code), code);
    m_offline->setObjectName(QStringLiteral("offline"));
    m_offline->setChecked(m_form.Offline());
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setText(m_form.StatusText());
    showRoot();

    auto *header = new QPushButton(QStringLiteral("Header Erstellen"), this);
    header->setObjectName(QStringLiteral("createHeader"));
    header->setAutoDefault(false);

    choose->setAccessibleName(QStringLiteral("Ordner wählen"));
    auto *grid = new QGridLayout;
    grid->addWidget(KivFieldLabel(QStringLiteral("Mediumname:"), m_name, this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Laufwerk:"), m_drive, this), 1, 0);
    grid->addWidget(m_drive, 1, 1);
    grid->addWidget(choose, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Verzeichniss:"), m_path, this), 2, 0);
    grid->addWidget(m_path, 2, 1, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Laufwerkstyp:"), m_driveType, this), 3, 0);
    grid->addWidget(m_driveType, 3, 1, 1, 2);
    grid->addWidget(m_offline, 4, 0, 1, 3);
    grid->addWidget(m_status, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addButton(header, QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));

    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addLayout(grid);
    content->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);

    connect(choose, &QPushButton::clicked, this, &CKivMediumDlg::chooseFolder);
    connect(header, &QPushButton::clicked, this, &CKivMediumDlg::createHeader);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivMediumDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivMediumDlg::reject);
    connect(m_driveType, &QComboBox::activated, this,
            [this](int row) { m_form.SetDriveType(m_driveType->itemData(row).toInt()); });
}

bool CKivMediumDlg::Run(CKivMedium &medium, CKivDatabase &db, QWidget *parent)
{
    CKivMediumForm form(db, medium);
    return RunForm(form, parent);
}

bool CKivMediumDlg::RunForm(CKivMediumForm &form, QWidget *parent)
{
    CKivMediumDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CKivMediumDlg::showRoot()
{
    m_drive->setText(m_form.Drive());
    m_path->setText(m_form.Path());
    // A code outside the list shows as "Unknown"; the form keeps the code until the user picks one.
    const int row = m_driveType->findData(m_form.DriveType());
    m_driveType->setCurrentIndex(row >= 0 ? row : 0);
}

void CKivMediumDlg::takeInput()
{
    if (m_form.IsNameEditable())
        m_form.SetName(m_name->text());
    m_form.SetOffline(m_offline->isChecked());
}

void CKivMediumDlg::chooseFolder()
{
    const QString root = m_form.Drive() + m_form.Path();
    const QString folder = KivFolderChooser::choose(this, QDir(root).exists() ? root : QString());
    if (folder.isEmpty())
        return;
    m_form.ChooseFolder(folder);
    showRoot();
}

void CKivMediumDlg::createHeader()
{
    takeInput();
    m_form.RecreateHeader();
}

void CKivMediumDlg::accept()
{
    takeInput();
    if (m_form.Accept())
        QDialog::accept();
}
