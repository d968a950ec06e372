#include "media/ui/CdMediumDlg.h"

#include "controls/ui/Banner.h"
#include "media/cd/CdMediumForm.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CKivCdMediumDlg::CKivCdMediumDlg(CKivCdMediumForm &form, QWidget *parent)
    : QDialog(parent)
    , m_form(form)
    , m_name(new QLineEdit(this))
    , m_mediumName(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Medium CD-ROM"));
    auto *band = new CKivBanner(QStringLiteral("Kiv Medium CD-ROM"), QStringLiteral("Erstellt oder Bearbeitet ein CD Medium"),
                                style()->standardIcon(QStyle::SP_DriveCDIcon), this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setText(form.NameField());
    m_mediumName->setObjectName(QStringLiteral("mediumName"));
    m_mediumName->setText(form.MediumNameLine());
    auto *header = new QCheckBox(this);
    header->setObjectName(QStringLiteral("hasHeader"));
    header->setAccessibleName(QStringLiteral("Header"));
    header->setChecked(form.HasHeaderFile());
    auto *size = new QCheckBox(this);
    size->setObjectName(QStringLiteral("hasSize"));
    size->setAccessibleName(QStringLiteral("Größe"));
    size->setChecked(form.HasVolumeSize());
    auto *sizeText = new QLabel(form.VolumeSize(), this);
    sizeText->setObjectName(QStringLiteral("size"));
    auto *status = new QLabel(form.StatusText(), this);
    status->setObjectName(QStringLiteral("status"));
    // The disc decides these; only the name of a new CD is typed.
    header->setEnabled(false);
    size->setEnabled(false);
    m_name->setEnabled(form.IsNew());

    auto *grid = new QGridLayout;
    grid->addWidget(KivFieldLabel(QStringLiteral("Name:"), m_name, this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Header:"), header, this), 1, 0);
    grid->addWidget(header, 1, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("Größe:"), size, this), 2, 0);
    grid->addWidget(size, 2, 1);
    grid->addWidget(sizeText, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Mediumname:"), this), 3, 0);
    grid->addWidget(m_mediumName, 3, 1, 1, 2);
    grid->addWidget(status, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));

    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addLayout(grid);
    content->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);
    setMinimumWidth(380);

    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_form.SetNameField(text);
        m_mediumName->setText(m_form.MediumNameLine());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivCdMediumDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivCdMediumDlg::reject);
}

bool CKivCdMediumDlg::Run(CKivCdMediumForm &form, QWidget *parent)
{
    CKivCdMediumDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CKivCdMediumDlg::accept()
{
    if (m_form.Accept())
        QDialog::accept();
}
