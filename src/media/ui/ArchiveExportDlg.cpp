#include "media/ui/ArchiveExportDlg.h"

#include "core/UserInterface.h"
#include "controls/ui/Banner.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveExport.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CKivArchiveExportDlg::CKivArchiveExportDlg(CKivDatabase &db, const CKivMedium &medium, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_medium(medium)
    , m_export(new QPushButton(QStringLiteral("Exportieren"), this))
    , m_close(new QPushButton(QStringLiteral("Schließen"), this))
{
    setWindowTitle(QStringLiteral("Medium Archivieren"));
    auto *band = new CKivBanner(QStringLiteral("Medium Exportieren"),
                                QStringLiteral("Exportiert das ausgewählte Medium in eine Mediumarchiv Datei."),
                                style()->standardIcon(QStyle::SP_DialogSaveButton), this);
    auto *name = new QLabel(QStringLiteral("Medium: ") + medium.GetName(), this);
    name->setObjectName(QStringLiteral("mediumName"));
    m_export->setObjectName(QStringLiteral("export"));
    m_close->setObjectName(QStringLiteral("close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(m_close);
    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addWidget(name);
    content->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);
    setMinimumWidth(420);
    connect(m_export, &QPushButton::clicked, this, &CKivArchiveExportDlg::ExportMedium);
    connect(m_close, &QPushButton::clicked, this, &CKivArchiveExportDlg::accept);
}

void CKivArchiveExportDlg::ExportMedium()
{
    m_export->setEnabled(false);
    m_close->setEnabled(false);
    const bool exported = KivMediumArchiveExport::Export(m_db, m_medium, [this] {
        QFileDialog dialog(this, QString(), QString(), KivMediumArchiveExport::DialogFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(KivMediumArchiveExport::DefaultExtension());
        dialog.selectFile(KivMediumArchiveExport::ProposedName());
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                       : QString();
    });
    if (exported) {
        kivUi().showMessage(QStringLiteral("Das Medium wurde erfolgreich Exportiert und in die ausgewählte Archiv Datei "
                                           "gespeichert."),
                            QStringLiteral("Hinnweis"), KivIcon::Information);
    }
    m_export->setEnabled(!exported);
    m_close->setEnabled(true);
}
