#include "ColdCatalog.h"

#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "media/MedienListe.h"

#include <QTextStream>

ColdCatalog::ColdCatalog(const QString &dsn)
    : m_dsn(dsn), m_store(std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Melvora.ini")))),
      m_settings(std::make_unique<CKivSettings>(*m_store))
{
    m_settings->SetOdbcAliasname(dsn);
}

ColdCatalog::~ColdCatalog()
{
    m_media.reset();
    m_db.reset();
}

bool ColdCatalog::Recreate()
{
    m_media.reset();
    m_db.reset();
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(m_dsn, true)) {
        QTextStream(stderr) << "cannot create the catalog in " << m_dsn << ": " << creator.lastError()
                            << "\n";
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

bool ColdCatalog::AddMedium(const QString &name, const QString &folder)
{
    if (m_media->CreateFromFolder(*m_db, name, folder))
        return true;
    QTextStream(stderr) << "cannot add the medium " << name << " on " << folder << "\n";
    return false;
}
