#include "BenchCatalog.h"

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "media/MedienListe.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

BenchCatalog::BenchCatalog(const QString &dsn)
    : m_dsn(dsn)
    , m_store(std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Melvora.ini"))))
    , m_settings(std::make_unique<CKivSettings>(*m_store))
{
    m_settings->SetOdbcAliasname(dsn);
}

BenchCatalog::~BenchCatalog()
{
    m_media.reset();
    m_db.reset();
}

QString BenchCatalog::engineName() const
{
    return m_db && m_db->IsOpen() ? m_db->dialect().engineName() : QStringLiteral("?");
}

QString BenchCatalog::label() const
{
    return engineName() + (m_dsn.endsWith(QLatin1String("Lan")) ? QStringLiteral(" (LAN)") : QString());
}

bool BenchCatalog::Recreate()
{
    m_media.reset();
    m_db.reset();
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(m_dsn, true)) {
        QTextStream(stderr) << "cannot create the catalog in " << m_dsn << ": " << creator.lastError() << "\n";
        return false;
    }
    m_db = std::make_unique<CKivDatabase>(*m_settings);
    if (!m_db->Connect(false)) {
        QTextStream(stderr) << "cannot connect to " << m_dsn << "\n";
        return false;
    }
    CRsBenutzer users(*m_db);
    users.AddNew();
    users.m_Benutzername = QStringLiteral("bench");
    if (!users.Update())
        return false;
    m_media = std::make_unique<CKivMedienListe>(users.m_ID, QString());
    return m_media->Load(*m_db);
}

bool BenchCatalog::AddMedium(const QString &name, const QString &folder)
{
    return m_media->CreateFromFolder(*m_db, name, folder) != nullptr;
}

bool BenchCatalog::FillRows(int from, int to)
{
    const bool postgres = m_db->dialect().engine() == CKivSqlDialect::Engine::PostgreSQL;
    const QString columns = QStringLiteral(
        "Anlegedatum, Title, Artist, ArtistID, Album, TrackNr, Year, Genre, GenreName, Frames, Length, "
        "MpegVersion, MpegLayer, HasCRC, BitRate, SampleRate, Emphasis, Copyright, Original, SearchIndex, "
        "Filename, Mediumname, MediumSubPathFilename, SubPath, Comment, ChannelMode, Bewertung, FolderID, "
        "FileSize, Validity, ImportID");
    // Values of row i; artist, album and sub-path as text expressions of i.
    const QString artist = postgres ? QStringLiteral("'Artist' || lpad((i % 1000)::text, 5, '0')")
                                    : QStringLiteral("'Artist' || printf('%05d', i % 1000)");
    const QString title = QStringLiteral("'Title ' || i");
    const QString album = QStringLiteral("'Album ' || (i / 50)");
    const QString subPath = QStringLiteral("'F' || (i / 100) || '\\'");
    const QString file = QStringLiteral("'Song ' || i || '.mp3'");
    const QString values =
        QStringLiteral("CURRENT_TIMESTAMP, %1, %2, -1, %3, 1, '2001', 17, 'Rock', 100, 240, 1, 3, 0, 128, 44100, 0, "
                       "0, 0, '(Suche),' || %4 || %5 || ',' || %3 || ',' || %2 || ',' || %1 || ',2001,Rock,', %5, "
                       "'Suche', '(Suche)' || %4 || %5, %4, '', 0, 3, 0, 5000000, 3, 0")
            .arg(title, artist, album, subPath, file);
    // Put together by concatenation: the values hold "%" signs of their own.
    const QString first = QString::number(from);
    const QString last = QString::number(to - 1);
    const QString sql =
        postgres ? QStringLiteral("INSERT INTO Mp3s (") + columns + QStringLiteral(") SELECT ") + values
                       + QStringLiteral(" FROM generate_series(") + first + QStringLiteral(", ") + last
                       + QStringLiteral(") AS g(i)")
                 : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT ") + first
                       + QStringLiteral(" UNION ALL SELECT i + 1 FROM n WHERE i < ") + last
                       + QStringLiteral(") INSERT INTO Mp3s (") + columns + QStringLiteral(") SELECT ") + values
                       + QStringLiteral(" FROM n");
    QSqlQuery query(m_db->connection());
    if (!query.exec(sql)) {
        QTextStream(stderr) << "filling rows failed: " << query.lastError().text() << "\n";
        return false;
    }
    if (postgres)
        query.exec(QStringLiteral("ANALYZE Mp3s"));
    return true;
}
