#include "setup/ui/DownloadDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

CKivDownloadDlg::CKivDownloadDlg(const QUrl &address, const QString &destinationFolder, QWidget *parent)
    : QDialog(parent)
    , m_address(address)
    , m_folder(destinationFolder)
    , m_status(new QLabel(this))
    , m_progressText(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_button(new QPushButton(QStringLiteral("Abbruch"), this))
{
    setWindowTitle(Caption());
    auto *layout = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("Erforderliche Dateien werden aus dem Internet auf Ihren Rechner "
                                           "heruntergeladen. Bitte haben Sie einen Moment Geduld."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Quelle:"), this), 1, 0);
    auto *source = new QLabel(address.toDisplayString(), this);
    source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(source, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ziel:"), this), 2, 0);
    layout->addWidget(new QLabel(destinationFolder, this), 2, 1);
    layout->addWidget(m_status, 3, 0, 1, 2);
    layout->addWidget(m_progressText, 4, 0, 1, 2);
    layout->addWidget(m_bar, 5, 0, 1, 2);
    layout->addWidget(m_button, 6, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_status->setObjectName(QStringLiteral("status"));
    m_progressText->setObjectName(QStringLiteral("progress"));
    setMinimumWidth(480);

    connect(&m_download, &CKivFileDownload::statusChanged, m_status, &QLabel::setText);
    connect(&m_download, &CKivFileDownload::progressChanged, this, &CKivDownloadDlg::showProgress);
    connect(&m_download, &CKivFileDownload::finished, this, &CKivDownloadDlg::downloadFinished);
    connect(m_button, &QPushButton::clicked, this, &CKivDownloadDlg::buttonClicked);
    QTimer::singleShot(DelayMs, this, &CKivDownloadDlg::start);
}

void CKivDownloadDlg::start()
{
    if (m_started || m_ended)
        return;
    m_started = true;
    m_button->setText(QStringLiteral("Abbruch"));
    m_download.Start(m_address, m_folder);
}

void CKivDownloadDlg::showProgress(qint64 received, qint64 total)
{
    if (total > 0)
        m_bar->setValue(int(qMin<qint64>(100, received * 100 / total)));
    m_progressText->setText(CKivFileDownload::ProgressText(received, total));
}

void CKivDownloadDlg::buttonClicked()
{
    if (m_ended) {
        done(m_success ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    // "Abbruch": the transfer stops at once and the window ends as failed.
    m_ended = true;
    m_success = false;
    m_download.Cancel();
    m_progressText->setText(QStringLiteral("Downloaded : "));
    setWindowTitle(QStringLiteral("File Downloader"));
    m_bar->setValue(0);
    m_button->setText(QStringLiteral("Exit"));
    closeLater(false);
}

void CKivDownloadDlg::downloadFinished(CKivFileDownload::Outcome outcome)
{
    if (m_ended)
        return;
    m_ended = true;
    m_success = outcome == CKivFileDownload::Outcome::Completed;
    if (m_success)
        m_bar->setValue(100);
    m_button->setText(QStringLiteral("Schließen"));
    closeLater(m_success);
}

void CKivDownloadDlg::closeLater(bool success)
{
    QTimer::singleShot(DelayMs, this, [this, success] { done(success ? QDialog::Accepted : QDialog::Rejected); });
}
