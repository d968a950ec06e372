#include "media/catalog/MediaCatalog.h"

#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumForm.h"

CKivMediaCatalog::CKivMediaCatalog(CKivDatabase &db, CKivMedienListe &media)
    : m_db(db)
    , m_media(media)
{
}

void CKivMediaCatalog::Fill()
{
    m_userMedia.clear();
    m_catalogMedia.clear();
    bool currentListed = false;
    for (const auto &owned : m_media) {
        CKivMedium *medium = owned.get();
        const int state = medium->CheckOnline();
        const int icon = medium->GetDriveType() + (state == CKivMedium::Online ? 0 : OfflineIconShift);
        bool listed = false;
        if (medium->GetAssignmentID() != -1) {
            if (!medium->IsCd() || m_showCds) {
                m_userMedia.push_back({medium, icon});
                listed = true;
            }
        } else if (!medium->IsCd()) {
            m_catalogMedia.push_back(medium);
            listed = true;
        }
        currentListed = currentListed || (listed && medium == m_current);
    }
    // A refilled list has no selection.
    if (!currentListed)
        m_current = nullptr;
}

CKivMediaCatalog::Buttons CKivMediaCatalog::ButtonStates() const
{
    Buttons buttons;
    if (!m_current)
        return buttons;
    const bool disk = !m_current->IsCd();
    buttons.edit = disk;
    buttons.remove = disk;
    buttons.add = disk;
    buttons.exportArchive = true;
    buttons.deleteMedium = true;
    return buttons;
}

bool CKivMediaCatalog::Assign(CKivMedium *medium, const DialogRunner &runDialog)
{
    if (!medium || medium->IsCd() || !runDialog)
        return false;
    CKivMediumForm form(m_db, *medium);
    if (!runDialog(form))
        return false;
    medium->CheckOnline();
    return medium->GetAssignmentID() != -1;
}

bool CKivMediaCatalog::Unassign(CKivMedium *medium)
{
    if (!medium || medium->IsCd())
        return false;
    return medium->RemoveAssignment(m_db);
}
