#include "media/ui/MediumDeleteDlg.h"

#include "media/catalog/MediaHost.h"
#include "controls/ui/Banner.h"
#include "media/Medium.h"
#include "media/catalog/MediumDeletion.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

CKivMediumDeleteDlg::CKivMediumDeleteDlg(IKivMediaHost &host, CKivMedium *medium, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_medium(medium)
    , m_bar(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_delete(new QPushButton(QStringLiteral("Löschen"), this))
    , m_close(new QPushButton(QStringLiteral("Schließen"), this))
{
    setWindowTitle(QStringLiteral("Medien Löschen"));
    auto *band = new CKivBanner(QStringLiteral("Medium Löschen"),
                                QStringLiteral("Löscht das ausgewählte Medium mit allen seinen Daten aus der Datenbank."),
                                style()->standardIcon(QStyle::SP_TrashIcon), this);
    auto *name = new QLabel(QStringLiteral("Medium: ") + (medium ? medium->GetName() : QString()), this);
    name->setObjectName(QStringLiteral("mediumName"));
    auto *warning = new QLabel(QStringLiteral("Achtung: Alle Mp3 Dateien, Ordner und Importe des Mediums werden "
                                              "endgültig aus der Datenbank gelöscht!\nDie Dateien auf dem Medium "
                                              "selbst bleiben erhalten."),
                               this);
    warning->setWordWrap(true);
    m_bar->setObjectName(QStringLiteral("progress"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_status->setObjectName(QStringLiteral("status"));
    m_delete->setObjectName(QStringLiteral("delete"));
    m_close->setObjectName(QStringLiteral("close"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_delete);
    buttons->addWidget(m_close);
    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addWidget(name);
    content->addWidget(warning);
    content->addWidget(m_bar);
    content->addWidget(m_status);
    content->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);
    setMinimumWidth(460);

    connect(m_delete, &QPushButton::clicked, this, &CKivMediumDeleteDlg::DeleteMedium);
    connect(m_close, &QPushButton::clicked, this, &CKivMediumDeleteDlg::accept);
}

void CKivMediumDeleteDlg::DeleteMedium()
{
    if (!KivMediumDeletion::Confirm(m_deleted ? nullptr : m_medium))
        return;
    m_delete->setEnabled(false);
    m_close->setEnabled(false);
    const bool deleted = KivMediumDeletion::Run(m_host.GetDatabase(), *m_medium,
                                                [this](int, const QString &text, int total, int done) {
                                                    m_bar->setRange(0, std::max(total, 1));
                                                    m_bar->setValue(done);
                                                    m_status->setText(text);
                                                    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                                });
    if (deleted) {
        m_deleted = true;
        m_medium = nullptr;
        m_host.ReloadMedia();
        m_status->setText(KivMediumDeletion::DoneText());
    }
    m_delete->setEnabled(!deleted);
    m_close->setEnabled(true);
}
