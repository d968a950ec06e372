#include "media/MedienListe.h"

#include "core/UserInterface.h"
#include "catalog/RsMedienNamen.h"
#include "media/DriveLayer.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/MediumName.h"
#include "media/MediumRoot.h"

CKivMedienListe::CKivMedienListe(int userId, const QString &cdDrive)
    : m_userId(userId)
    , m_cdDrive(cdDrive)
{
}

CKivMedienListe::~CKivMedienListe() = default;

bool CKivMedienListe::Load(CKivDatabase &db)
{
    m_media.clear();
    CRsMedienNamen names(db);
    names.m_strFilter.clear();
    if (!names.Open())
        return false;
    // Collect the rows first: each medium reads its own rows on the same connection.
    struct Row
    {
        qint32 id;
        QString name;
        qint32 cdRomId;
    };
    std::vector<Row> rows;
    for (; !names.IsEOF(); names.MoveNext())
        rows.push_back({names.m_ID, names.m_Mediumname, names.m_CDRomID});
    names.Close();

    for (const Row &row : rows) {
        names.m_ID = row.id;
        names.m_Mediumname = row.name;
        names.m_CDRomID = row.cdRomId;
        m_media.push_back(CKivMedium::FromRow(db, names, m_userId, m_cdDrive));
    }
    CheckOnline();
    return true;
}

CKivMedium *CKivMedienListe::At(int index) const
{
    return index >= 0 && index < Count() ? m_media[size_t(index)].get() : nullptr;
}

CKivMedium *CKivMedienListe::FindMedium(const QString &name) const
{
    for (const auto &medium : m_media) {
        if (medium->GetName() == name)
            return medium.get();
    }
    return nullptr;
}

CKivMedium *CKivMedienListe::Add(std::unique_ptr<CKivMedium> medium)
{
    m_media.push_back(std::move(medium));
    return m_media.back().get();
}

void CKivMedienListe::CheckOnline()
{
    for (const auto &medium : m_media)
        medium->CheckOnline();
}

CKivMedium *CKivMedienListe::CreateNew(CKivDatabase &db, const DialogRunner &runDialog)
{
    std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(m_userId);
    CKivMediumForm form(db, *medium);
    if (!runDialog || !runDialog(form) || medium->GetID() == -1)
        return nullptr;
    medium->CheckOnline();
    return Add(std::move(medium));
}

CKivMedium *CKivMedienListe::CreateFromFolder(CKivDatabase &db, const QString &name, const QString &folder)
{
    if (KivMediumName::isReserved(name, false) || NameExists(db, name)) {
        kivUi().showMessage(QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return nullptr;
    }
    if (!KivMediumName::fitsHeader(name)) {
        kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return nullptr;
    }
    std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(m_userId);
    if (!medium->SetName(name))
        return nullptr;
    const KivMediumRoot::Parts root = KivMediumRoot::split(folder);
    medium->SetDrive(root.drive);
    medium->SetPath(root.path);
    medium->SetDriveType(kivDrives().driveType(root.drive));
    medium->SetOffline(false);
    if (!medium->Save(db, true))
        return nullptr;
    CKivMedium *added = Add(std::move(medium));
    added->CheckOnline();
    return added;
}

bool CKivMedienListe::NameExists(CKivDatabase &db, const QString &name)
{
    CRsMedienNamen names(db);
    const bool found = names.OpenByName(name);
    names.Close();
    return found;
}
