#include "media/scan/ScanMedium.h"

#include "catalog/RsMedienNamen.h"
#include "media/Medium.h"
#include "media/scan/ScanLog.h"

std::shared_ptr<CKivMedium> KivScanMedium::Copy(CKivDatabase &db, const CKivMedium &medium)
{
    CRsMedienNamen row(db);
    if (medium.GetID() == -1 || !row.OpenById(medium.GetID())) {
        qCWarning(lcScan).noquote() << "Medium" << medium.GetName() << "cannot be read from the catalog";
        return nullptr;
    }
    const QString cdDrive = medium.IsCd() ? medium.GetDrive() : QString();
    std::shared_ptr<CKivMedium> copy = CKivMedium::FromRow(db, row, medium.GetUserID(), cdDrive);
    row.Close();
    if (copy->IsCd())
        copy->SetCdState(medium.GetState());
    else
        copy->CheckOnline();
    return copy;
}
