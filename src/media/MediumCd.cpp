// Storing a CD medium: the part of the medium that only CD media use.
#include "media/Medium.h"

#include "core/UserInterface.h"
#include "catalog/RsCDs.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/Transaction.h"
#include "media/MediumName.h"

bool CKivMedium::SaveCd(CKivDatabase &db)
{
    if (!m_isCd || m_id != -1)
        return false;
    CRsMedienNamen names(db);
    const bool taken = names.OpenByName(m_name);
    names.Close();
    if (taken || names.lastOpenFailedInDatabase()) {
        kivUi().showMessage(QStringLiteral("Mediumname ist bereits vergeben ! Medium kann nicht gespeichert werden !"),
                            QStringLiteral("Warnung"), KivIcon::Exclamation);
        return false;
    }
    if (!KivMediumName::fitsHeader(m_name)) {
        kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung"), KivIcon::Exclamation);
        return false;
    }
    // A name without its CDs row could never be recognised, yet would block the name.
    CKivTransaction transaction(db);
    names.AddNew();
    names.m_Mediumname = m_name;
    names.m_CDRomID = 1;
    if (!names.Update())
        return false;
    const int id = names.m_ID;

    CRsCDs cds(db);
    cds.AddNew();
    cds.m_MediumID = id;
    cds.m_HasHeaderFile = m_hasHeaderFile ? 1 : 0;
    cds.m_HasVolumeSize = m_hasVolumeSize ? 1 : 0;
    cds.m_VolumeSize = m_volumeSize.isNull() ? QStringLiteral("") : m_volumeSize;
    if (!cds.Update()) {
        if (!transaction.IsActive() && names.OpenById(id))
            names.Delete();
        return false;
    }
    if (transaction.IsActive() && !transaction.Commit())
        return false;
    m_id = id;
    return true;
}
