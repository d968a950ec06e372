#include "scan/ScanFixture.h"

#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsFolder.h"
#include "media/Medium.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanMedium.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

ScanFixture::ScanFixture() = default;

ScanFixture::~ScanFixture()
{
    m_media.reset();
}

bool ScanFixture::recreate()
{
    m_ui.clear();
    m_ui.marshal = false;
    m_ui.answer = KivAnswer::Yes;
    m_ui.onMessage = nullptr;
    m_media.reset();
    if (!m_catalog.recreate())
        return false;
    m_userId = addUser(QStringLiteral("anna"), QStringLiteral("geheim"));
    m_media = std::make_unique<CKivMedienListe>(m_userId, QString());
    return m_userId > 0 && m_media->Load(db());
}

int ScanFixture::addUser(const QString &name, const QString &password)
{
    CRsBenutzer users(db());
    users.AddNew();
    users.m_Benutzername = name;
    users.m_Passwort = password;
    return users.Update() ? users.m_ID : -1;
}

QString ScanFixture::folder(const QString &relative)
{
    const QString path = m_dir.filePath(relative);
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path + QLatin1Char('/');
}

QString ScanFixture::addMedium(const QString &name)
{
    const QString root = folder(name);
    if (!m_media->CreateFromFolder(db(), name, root))
        return QString();
    return root;
}

bool ScanFixture::writeSong(const QString &path, const QByteArray &title, int frames)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    QByteArray tag(128, '\0');
    tag.replace(0, 3, "TAG");
    tag.replace(3, int(qMin<qsizetype>(30, title.size())), title.left(30));
    tag.replace(33, 6, "Artist");
    tag.replace(93, 4, "1999");
    tag[127] = char(17);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QByteArray data = frame.repeated(frames) + tag;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

std::shared_ptr<CKivScanList> ScanFixture::scanList(const QString &mediumName, const QString &subPath, bool quick)
{
    std::shared_ptr<CKivMedium> copy;
    if (const CKivMedium *medium = m_media->FindMedium(mediumName))
        copy = KivScanMedium::Copy(db(), *medium);
    return std::make_shared<CKivScanList>(settings(), mediumName, subPath, quick, copy);
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
        row.fileName = rs.m_Filename;
        row.folderId = rs.m_FolderID;
        row.rating = rs.m_Bewertung;
        row.length = rs.m_Length;
        row.technical = {rs.m_Frames,   rs.m_Length,    rs.m_MpegVersion, rs.m_MpegLayer,
                         rs.m_HasCRC,   rs.m_BitRate,   rs.m_SampleRate,  rs.m_Emphasis,
                         rs.m_Copyright, rs.m_Original, rs.m_Validity};
        row.channelMode = rs.m_ChannelMode;
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
