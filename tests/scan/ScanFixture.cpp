#include "scan/ScanFixture.h"

#include "catalog/Database.h"
#include "catalog/RsFolder.h"
#include "catalog/RsMp3s.h"
#include "media/Medium.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanMedium.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

bool ScanFixture::recreate()
{
    m_media.reset();
    if (!MediaWorkspace::recreate())
        return false;
    ui.fallback = KivAnswer::Yes;
    const int userId = catalog.addUser(QStringLiteral("anna"), QStringLiteral("geheim"));
    m_media = std::make_unique<CKivMedienListe>(userId, QString());
    return userId > 0 && m_media->Load(db());
}

QString ScanFixture::addMedium(const QString &name)
{
    const QString root = folder(name);
    return m_media->CreateFromFolder(db(), name, root) ? root : QString();
}

std::shared_ptr<CKivScanList> ScanFixture::scanList(const QString &mediumName, const QString &subPath, bool quick)
{
    std::shared_ptr<CKivMedium> copy;
    if (const CKivMedium *medium = m_media->FindMedium(mediumName))
        copy = KivScanMedium::Copy(db(), *medium);
    return std::make_shared<CKivScanList>(catalog.settings(), mediumName, subPath, quick, copy);
}

std::shared_ptr<CKivScanList> ScanFixture::scan(const QString &mediumName, const QString &subPath, bool quick)
{
    std::shared_ptr<CKivScanList> list = scanList(mediumName, subPath, quick);
    CKivScanDriver driver(list);
    if (!driver.Start())
        return nullptr;
    QDeadlineTimer deadline(120000);
    while (driver.Poll() != CKivScanDriver::State::Finished && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    return driver.GetState() == CKivScanDriver::State::Finished ? list : nullptr;
}

QHash<QString, ScanFixture::Row> ScanFixture::rows(const QString &mediumName)
{
    QHash<QString, Row> result;
    CRsMp3s rs(db());
    if (!rs.OpenByMediumSubPath(mediumName, QString(), false))
        return result;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        Row row;
        row.id = rs.m_ID;
        row.created = rs.m_Anlegedatum;
        row.title = rs.m_Title;
        row.subPath = rs.m_SubPath;
        row.folderId = rs.m_FolderID;
        row.rating = rs.m_Bewertung;
        row.frames = rs.m_Frames;
        row.validity = rs.m_Validity;
        row.artist = rs.m_Artist;
        row.genreName = rs.m_GenreName;
        result.insert(rs.m_SubPath + rs.m_Filename, row);
    }
    return result;
}

QHash<QString, QPair<qint32, qint32>> ScanFixture::folders(const QString &mediumName)
{
    QHash<QString, QPair<qint32, qint32>> result;
    CRsFolder rs(db());
    rs.m_strFilter = QStringLiteral("Mediumname='") + mediumName + QLatin1Char('\'');
    if (!rs.Open())
        return result;
    for (; !rs.IsEOF(); rs.MoveNext())
        result.insert(rs.m_SubPath, {rs.m_ID, rs.m_ParentID});
    return result;
}

bool ScanFixture::exec(const QString &sql)
{
    QSqlQuery query(db().connection());
    if (query.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}
