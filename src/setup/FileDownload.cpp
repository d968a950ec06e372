#include "setup/FileDownload.h"

#include "setup/SetupLog.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

CKivFileDownload::CKivFileDownload(QObject *parent)
    : QObject(parent)
    , m_network(std::make_unique<QNetworkAccessManager>())
{
}

CKivFileDownload::~CKivFileDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply.data();
    }
}

QString CKivFileDownload::ProgressText(qint64 received, qint64 total)
{
    return QStringLiteral("Downloaded : ") + QString::number(received / 1024) + QStringLiteral("kb/")
           + QString::number(qMax<qint64>(total, 0) / 1024) + QStringLiteral("kb");
}

void CKivFileDownload::setStatus(const QString &status)
{
    m_status = status;
    Q_EMIT statusChanged(status);
}

void CKivFileDownload::Start(const QUrl &url, const QString &destinationFolder)
{
    m_outcome = Outcome::Running;
    m_received = 0;
    m_total = -1;
    setStatus(QStringLiteral("Requesting file"));
    const QString fileName = url.fileName();
    m_destination = QDir(destinationFolder).filePath(fileName);
    if (!url.isValid() || fileName.isEmpty() || url.isLocalFile()) {
        finish(Outcome::Failed, QStringLiteral("Invalid address: ") + url.toString());
        return;
    }
    m_file = std::make_unique<QSaveFile>(m_destination);
    if (!QDir().mkpath(destinationFolder) || !m_file->open(QIODevice::WriteOnly)) {
        finish(Outcome::Failed, QStringLiteral("Cannot create ") + m_destination);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        m_total = length.isValid() ? length.toLongLong() : -1;
        if (m_status != QLatin1String("Downloading..."))
            setStatus(QStringLiteral("Downloading..."));
        Q_EMIT progressChanged(m_received, m_total);
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &CKivFileDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CKivFileDownload::onFinished);
}

void CKivFileDownload::onReadyRead()
{
    if (!m_reply || m_outcome != Outcome::Running)
        return;
    // Only a successful answer is the file; an error page is not written anywhere.
    const int code = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (code >= 300)
        return;
    const QByteArray block = m_reply->readAll();
    if (m_file->write(block) != block.size()) {
        finish(Outcome::Failed, QStringLiteral("Cannot write ") + m_destination);
        return;
    }
    m_received += block.size();
    Q_EMIT progressChanged(m_received, m_total);
}

void CKivFileDownload::onFinished()
{
    if (!m_reply || m_outcome != Outcome::Running)
        return;
    if (m_reply->error() != QNetworkReply::NoError) {
        finish(Outcome::Failed, m_reply->errorString());
        return;
    }
    onReadyRead();
    if (m_outcome != Outcome::Running)
        return;
    // A connection that ends before the announced size is no complete file.
    if (m_total >= 0 && m_received != m_total) {
        finish(Outcome::Failed, QStringLiteral("Connection closed after %1 of %2 bytes").arg(m_received).arg(m_total));
        return;
    }
    if (!m_file->commit()) {
        finish(Outcome::Failed, QStringLiteral("Cannot write ") + m_destination);
        return;
    }
    m_file.reset();
    finish(Outcome::Completed, QStringLiteral("Download complete"));
}

void CKivFileDownload::Cancel()
{
    if (m_outcome != Outcome::Running)
        return;
    finish(Outcome::Cancelled, QStringLiteral("Download cancelled by user"));
}

void CKivFileDownload::finish(Outcome outcome, const QString &status)
{
    m_outcome = outcome;
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (outcome != Outcome::Completed)
        qCInfo(lcSetup).noquote() << "Download of" << m_destination << "ended:" << status;
    setStatus(status);
    Q_EMIT finished(outcome);
}
