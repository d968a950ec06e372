#include "media/ui/ScanProgressDlg.h"

#include "media/scan/ScanList.h"
#include "controls/ui/Banner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CKivScanProgressDlg::CKivScanProgressDlg(ScanListSource currentList, QWidget *parent)
    : QDialog(parent)
    , m_currentList(std::move(currentList))
    , m_status(new QLabel(this))
    , m_file(new QLabel(this))
    , m_counter(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Abbruch"), this))
    , m_close(new QPushButton(QStringLiteral("Schließen"), this))
{
    setWindowTitle(QStringLiteral("Mp3 Import Toolbox"));
    setModal(false);
    auto *band = new CKivBanner(
        QStringLiteral("MP3 Dateien Importieren"),
        QStringLiteral("Wählen Sie einen Ort aus, den Sie nach neuen Mp3s durchsuchen wollen."),
        style()->standardIcon(QStyle::SP_DirOpenIcon), this);
    auto *note = new QLabel(QStringLiteral("Das Auslesen der Tag Informationen und das Erstellen des Katalogs "
                                           "kann einige Minuten dauern."),
                            this);
    note->setWordWrap(true);

    m_status->setObjectName(QStringLiteral("status"));
    m_file->setObjectName(QStringLiteral("file"));
    m_file->setTextFormat(Qt::PlainText);
    m_file->setMinimumWidth(320);
    m_counter->setObjectName(QStringLiteral("counter"));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(false);
    m_progress->setRange(1, 1);
    m_progress->reset();
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setAutoDefault(false);
    m_close->setObjectName(QStringLiteral("close"));
    m_close->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Status:"), this), 0, 0);
    grid->addWidget(m_status, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Datei:"), this), 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fortschritt:"), this), 2, 0);
    grid->addWidget(m_counter, 2, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);

    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addWidget(note);
    content->addLayout(grid);
    content->addWidget(m_progress);
    content->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);

    connect(m_cancel, &QPushButton::clicked, this, &CKivScanProgressDlg::cancelScan);
    connect(m_close, &QPushButton::clicked, this, &CKivScanProgressDlg::reject);
    refresh();
}

void CKivScanProgressDlg::refresh()
{
    // The scan list lives from the start of a scan until the document has taken its result.
    const CKivScanList *list = m_currentList();
    if (!list) {
        m_close->setEnabled(true);
        return;
    }
    m_close->setEnabled(false);
    const int index = list->GetCurrentIndex();
    const int total = list->GetTotal();
    m_status->setText(list->GetStatusText());
    m_file->setText(list->GetCurrentFile());
    m_counter->setText(QString::number(index) + QStringLiteral("//") + QString::number(total));
    m_progress->setRange(1, qMax(total, 1));
    if (index >= 1 && total >= 1)
        m_progress->setValue(qMin(index, total));
    else
        m_progress->reset();
}

void CKivScanProgressDlg::scanStarted()
{
    m_close->setEnabled(false);
    refresh();
}

void CKivScanProgressDlg::scanEnded()
{
    m_close->setEnabled(true);
}

void CKivScanProgressDlg::cancelScan()
{
    if (CKivScanList *list = m_currentList())
        list->Cancel();
}

void CKivScanProgressDlg::reject()
{
    if (!m_close->isEnabled())
        return;
    QDialog::reject();
}
