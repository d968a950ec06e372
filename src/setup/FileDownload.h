#pragma once

#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// One file fetched by its address into a folder (Qt Network, never from a cache), with the status
// texts and the progress the download window shows. The file is written beside its final name and
// put in place only when the whole transfer arrived: a failed or cancelled download leaves nothing.
class CKivFileDownload : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Running, Completed, Failed, Cancelled };
    Q_ENUM(Outcome)

    explicit CKivFileDownload(QObject *parent = nullptr);
    ~CKivFileDownload() override;

    // Starts fetching url into destinationFolder + the address's file name (replaced if present).
    void Start(const QUrl &url, const QString &destinationFolder);
    // Stops the transfer; the download ends as cancelled.
    void Cancel();

    Outcome State() const { return m_outcome; }
    QString Status() const { return m_status; }
    QString DestinationPath() const { return m_destination; }
    qint64 Received() const { return m_received; }
    qint64 Total() const { return m_total; }

    // "Downloaded : " + kilobytes so far + "kb/" + total kilobytes + "kb" (whole kilobytes).
    static QString ProgressText(qint64 received, qint64 total);

Q_SIGNALS:
    void statusChanged(const QString &status);
    void progressChanged(qint64 received, qint64 total);
    void finished(CKivFileDownload::Outcome outcome);

private:
    void onReadyRead();
    void onFinished();
    void setStatus(const QString &status);
    void finish(Outcome outcome, const QString &status);

    std::unique_ptr<QNetworkAccessManager> m_network;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QSaveFile> m_file;
    QString m_destination;
    QString m_status;
    qint64 m_received = 0;
    qint64 m_total = -1;
    Outcome m_outcome = Outcome::Running;
};
