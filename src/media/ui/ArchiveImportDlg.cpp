#include "media/ui/ArchiveImportDlg.h"

#include "core/UserInterface.h"
#include "media/catalog/MediaHost.h"
#include "controls/ui/Banner.h"
#include "media/archive/MediumArchiveImport.h"
#include "media/scan/ScanList.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

CKivArchiveImportDlg::CKivArchiveImportDlg(IKivMediaHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_counter(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_file(new QLabel(this))
    , m_timer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Bitte warten ..."));
    auto *band = new CKivBanner(QStringLiteral("Medium Importieren"),
                                QStringLiteral("Medium wird importiert. Bitte haben Sie einen Moment Geduld."),
                                style()->standardIcon(QStyle::SP_DialogOpenButton), this);
    m_counter->setObjectName(QStringLiteral("counter"));
    m_bar->setObjectName(QStringLiteral("progress"));
    m_status->setObjectName(QStringLiteral("status"));
    m_file->setObjectName(QStringLiteral("file"));
    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addWidget(m_counter);
    content->addWidget(m_bar);
    content->addWidget(m_status);
    content->addWidget(m_file);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);
    setMinimumWidth(460);
    m_timer->setInterval(TimerMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &CKivArchiveImportDlg::Poll);
    m_timer->start();
}

bool CKivArchiveImportDlg::Import(IKivMediaHost &host, const QString &path, QWidget *parent)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started = host.StartArchiveImport(path);
    QApplication::restoreOverrideCursor();
    if (!started)
        return false;
    CKivArchiveImportDlg dialog(host, parent);
    dialog.Poll();
    if (host.GetArchiveImportList())
        dialog.exec();
    return true;
}

bool CKivArchiveImportDlg::ChooseAndImport(IKivMediaHost &host, QWidget *parent)
{
    QFileDialog dialog(parent, QString(), QString(), KivMediumArchiveImport::DialogFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(QStringLiteral("*.mar"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().first();
    return KivMediumArchiveImport::IsArchivePath(path) && Import(host, path, parent);
}

void CKivArchiveImportDlg::Poll()
{
    if (const CKivScanList *list = m_host.GetArchiveImportList()) {
        const int total = list->GetTotal();
        const int progress = list->GetCurrentIndex();
        m_counter->setText(QString::number(progress) + QStringLiteral("//") + QString::number(total));
        m_bar->setRange(1, std::max(total, 1));
        m_bar->setValue(std::max(progress, 1));
        m_status->setText(list->GetStatusText());
        m_file->setText(list->GetCurrentFile());
    }
    if (!m_host.PollArchiveImport()) {
        m_timer->stop();
        hide();
        done(QDialog::Accepted);
    }
}

void CKivArchiveImportDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Escape or the window's close button: the import goes on unless the user wants it stopped.
void CKivArchiveImportDlg::reject()
{
    if (!m_host.GetArchiveImportList())
        return;
    const KivAnswer answer = kivUi().showMessage(
        QStringLiteral("Sind sie sicher, das Sie das Importieren des Mediums abbrechen wollen ?"),
        QStringLiteral("Sicherheitsabfrage !"), KivIcon::Exclamation, KivButtons::YesNo);
    if (answer == KivAnswer::Yes)
        m_host.CancelArchiveImport();
}
