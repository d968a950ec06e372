#include "media/cd/CdMediumForm.h"

#include "core/UserInterface.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumName.h"

CKivCdMediumForm::CKivCdMediumForm(CKivDatabase &db, CKivMedium &medium, bool isNew)
    : m_db(db)
    , m_medium(medium)
    , m_isNew(isNew)
    , m_nameField(isNew ? QStringLiteral("Neue CD") : medium.GetName().mid(KivMediumName::cdPrefix().size()))
{
}

QString CKivCdMediumForm::MediumNameLine() const
{
    return KivMediumName::cdPrefix() + m_nameField;
}

QString CKivCdMediumForm::StatusText() const
{
    return m_isNew ? QStringLiteral("Neue CD gefunden.") : QStringLiteral("CD in Datenbank.");
}

bool CKivCdMediumForm::HasHeaderFile() const
{
    return m_medium.HasHeaderFile();
}

bool CKivCdMediumForm::HasVolumeSize() const
{
    return m_medium.HasVolumeSize();
}

QString CKivCdMediumForm::VolumeSize() const
{
    return m_medium.GetVolumeSize();
}

bool CKivCdMediumForm::Accept()
{
    // A stored CD medium is only shown; there is nothing to change.
    if (!m_isNew)
        return true;
    const QString name = MediumNameLine();
    if (name == KivMediumName::cdPrefix() || CKivMedienListe::NameExists(m_db, name)) {
        kivUi().showMessage(QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"), QStringLiteral("Warnung !"),
                            KivIcon::Exclamation);
        return false;
    }
    if (!m_medium.SetName(name))
        return false;
    if (!m_medium.SaveCd(m_db)) {
        kivUi().showMessage(QStringLiteral("Beim Speichern des Mediums ist ein Fehler aufgetretten. Medium konnte nicht "
                                           "erstellt oder geändert werden !"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    return true;
}
