#pragma once

#include "setup/FileDownload.h"

#include <QDialog>
#include <QUrl>

class QLabel;
class QProgressBar;
class QPushButton;

// The download window: fetches one file into a folder with status, "Downloaded : n kb/m kb" progress
// and one button ("Abbruch" while it runs, "Schließen" when it ended, "Exit" after a cancel). It
// closes itself half a second after the end: accepted when the file arrived, rejected otherwise.
class CKivDownloadDlg : public QDialog
{
    Q_OBJECT

public:
    CKivDownloadDlg(const QUrl &address, const QString &destinationFolder, QWidget *parent = nullptr);

    static QString Caption() { return QStringLiteral(" Melvora Setup - File Download"); }
    static constexpr int DelayMs = 500;

    QLabel *StatusLine() const { return m_status; }
    QLabel *ProgressLine() const { return m_progressText; }
    QPushButton *Button() const { return m_button; }
    CKivFileDownload &Download() { return m_download; }

private:
    void start();
    void buttonClicked();
    void showProgress(qint64 received, qint64 total);
    void downloadFinished(CKivFileDownload::Outcome outcome);
    void closeLater(bool success);

    QUrl m_address;
    QString m_folder;
    CKivFileDownload m_download;
    QLabel *m_status;
    QLabel *m_progressText;
    QProgressBar *m_bar;
    QPushButton *m_button;
    bool m_started = false;
    bool m_ended = false;
    bool m_success = false;
};
