#include "catalog/RsMp3s.h"

#include "catalog/Database.h"
#include "catalog/Mp3Filter.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/SqlQuote.h"

CRsMp3s::CRsMp3s(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("Mp3s"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("Anlegedatum"), &m_Anlegedatum);
    bind(QStringLiteral("Title"), &m_Title);
    bind(QStringLiteral("Artist"), &m_Artist);
    bind(QStringLiteral("ArtistID"), &m_ArtistID);
    bind(QStringLiteral("Album"), &m_Album);
    bind(QStringLiteral("TrackNr"), &m_TrackNr);
    bind(QStringLiteral("Year"), &m_Year);
    bind(QStringLiteral("Genre"), &m_Genre);
    bind(QStringLiteral("GenreName"), &m_GenreName);
    bind(QStringLiteral("Frames"), &m_Frames);
    bind(QStringLiteral("Length"), &m_Length);
    bind(QStringLiteral("MpegVersion"), &m_MpegVersion);
    bind(QStringLiteral("MpegLayer"), &m_MpegLayer);
    bind(QStringLiteral("HasCRC"), &m_HasCRC);
    bind(QStringLiteral("BitRate"), &m_BitRate);
    bind(QStringLiteral("SampleRate"), &m_SampleRate);
    bind(QStringLiteral("Emphasis"), &m_Emphasis);
    bind(QStringLiteral("Copyright"), &m_Copyright);
    bind(QStringLiteral("Original"), &m_Original);
    bind(QStringLiteral("SearchIndex"), &m_SearchIndex);
    bind(QStringLiteral("Filename"), &m_Filename);
    bind(QStringLiteral("Mediumname"), &m_Mediumname);
    bind(QStringLiteral("MediumSubPathFilename"), &m_MediumSubPathFilename);
    bind(QStringLiteral("SubPath"), &m_SubPath);
    bind(QStringLiteral("Comment"), &m_Comment);
    bind(QStringLiteral("ChannelMode"), &m_ChannelMode);
    bind(QStringLiteral("Bewertung"), &m_Bewertung);
    bind(QStringLiteral("FolderID"), &m_FolderID);
    bind(QStringLiteral("FileSize"), &m_FileSize);
    bind(QStringLiteral("Validity"), &m_Validity);
    bind(QStringLiteral("CreationTime"), &m_CreationTime);
    bind(QStringLiteral("ImportID"), &m_ImportID);
}

bool CRsMp3s::OpenById(qint32 id)
{
    return openRows(QStringLiteral("ID=") + QString::number(id));
}

bool CRsMp3s::OpenByKey(const QString &key)
{
    return openRows(QStringLiteral("MediumSubPathFilename='") + SqlQuote(key) + QLatin1Char('\''),
                    CKivMp3SortClause::Get());
}

bool CRsMp3s::OpenSearch(const QString &field, const QString &op, const QString &value,
                         const QString &mediumName)
{
    Close();
    const CKivMp3sQuery query = CKivMp3sQuery::Search(field, op, value, mediumName);
    return query.runnable && openRows(query.filter, query.sort);
}

bool CRsMp3s::OpenByMediumSubPath(const QString &mediumName, const QString &subPathText,
                                  bool pendingImportsOnly)
{
    const CKivMp3sQuery query = CKivMp3sQuery::ByMediumSubPath(mediumName, subPathText, pendingImportsOnly);
    return openRows(query.filter, query.sort);
}

bool CRsMp3s::OpenByFolder(const QString &mediumName, qint32 folderId, bool pendingImportsOnly)
{
    QString filter = QStringLiteral("Mediumname='") + SqlQuote(mediumName) +
                     QLatin1String("' AND FolderID=") + QString::number(folderId);
    if (pendingImportsOnly)
        filter += QLatin1String(" AND ImportID>0");
    return openRows(filter, CKivMp3SortClause::Get());
}

bool CRsMp3s::OpenWithFilter(IKivMp3Filter &filter)
{
    Close();
    const auto refuse = [&filter] { return KivRefuseInvalidFilter(filter); };
    if (!filter.IsValid())
        return refuse();
    m_strFilter = filter.WhereText();
    m_strSort = filter.SortClause();
    if (!Open()) {
        if (!lastOpenFailedInDatabase())
            return false;
        // The filter's own message says what went wrong.
        database().ErrorShown();
        return refuse();
    }
    if (IsEOF()) {
        Close();
        return false;
    }
    return true;
}
