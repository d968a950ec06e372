#include "media/MediumForm.h"

#include "core/UserInterface.h"
#include "media/DriveLayer.h"
#include "media/DriveType.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumName.h"
#include "media/MediumRoot.h"

namespace {

void tellIncomplete(const QString &text)
{
    kivUi().showMessage(text, QStringLiteral("Daten unvollständig !"), KivIcon::Exclamation);
}

} // namespace

CKivMediumForm::CKivMediumForm(CKivDatabase &db, CKivMedium &medium)
    : m_db(db)
    , m_medium(medium)
    , m_name(medium.GetName())
    , m_drive(medium.GetDrive())
    , m_path(medium.GetPath())
    , m_driveType(medium.GetDriveType())
    , m_offline(medium.IsOffline())
{
}

bool CKivMediumForm::IsNameEditable() const
{
    return m_medium.GetID() == -1;
}

QString CKivMediumForm::StatusText() const
{
    return m_medium.GetState() == CKivMedium::Online ? QStringLiteral("Medium ist Online")
                                                      : QStringLiteral("Medium ist Offline");
}

void CKivMediumForm::ChooseFolder(const QString &folder)
{
    const KivMediumRoot::Parts parts = KivMediumRoot::split(folder);
    m_drive = parts.drive;
    m_path = parts.path;
    m_driveType = kivDrives().driveType(m_drive);
}

QString CKivMediumForm::nameForHeader() const
{
    return IsNameEditable() ? m_name : m_medium.GetName();
}

bool CKivMediumForm::RecreateHeader()
{
    const KivAnswer answer = kivUi().showMessage(
        QStringLiteral("Sind Sie sicher, das Sie den MedienHeader erneut erstellen wollen ?\nWenn es sich um ein "
                       "anderes Medium handelt können Import\\Exportfunktionen \neventuell nicht ordentlich "
                       "funktionieren."),
        QStringLiteral("Sicherheitsabfrage !"), KivIcon::Exclamation, KivButtons::YesNo);
    if (answer != KivAnswer::Yes)
        return false;
    const QString name = nameForHeader();
    if (KivMediumName::isReserved(name, m_medium.IsCd())) {
        kivUi().showMessage(QStringLiteral("Der von Ihnen gewählte Mediumname ist ungültig!"),
                            QStringLiteral("Warnung:"), KivIcon::Stop);
        return false;
    }
    return CKivMedium::WriteHeaderFile(KivMediumRoot::normalizedDrive(m_drive) + KivMediumRoot::normalizedPath(m_path),
                                       name);
}

bool CKivMediumForm::Accept()
{
    if (m_name.isEmpty()) {
        tellIncomplete(QStringLiteral("Sie müssen einen Namen für das Medium festlegen."));
        return false;
    }
    if (m_drive.isEmpty()) {
        tellIncomplete(QStringLiteral("Sie müssen ein Laufwerk und ein Verzeichniss für das Medium festlegen."));
        return false;
    }
    if (m_driveType == KivDriveType::CdRom) {
        kivUi().showMessage(QStringLiteral("CD Laufwerke sind keine gültigen Speicherorte für Medien."),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    const bool isNew = m_medium.GetID() == -1;
    if (isNew) {
        if (KivMediumName::isReserved(m_name, false) || CKivMedienListe::NameExists(m_db, m_name)) {
            kivUi().showMessage(QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"),
                                QStringLiteral("Warnung !"), KivIcon::Exclamation);
            return false;
        }
        if (!KivMediumName::fitsHeader(m_name)) {
            kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
            return false;
        }
    }

    // A refused save leaves the medium as the dialog found it.
    const QString oldName = m_medium.GetName();
    const QString oldDrive = m_medium.GetDrive();
    const QString oldPath = m_medium.GetPath();
    const int oldType = m_medium.GetDriveType();
    const bool oldOffline = m_medium.IsOffline();

    if (isNew && !m_medium.SetName(m_name))
        return false;
    m_medium.SetDrive(m_drive);
    m_medium.SetPath(m_path);
    m_medium.SetDriveType(m_driveType);
    m_medium.SetOffline(m_offline);
    if (m_medium.Save(m_db, true))
        return true;

    if (isNew && m_medium.GetID() == -1)
        m_medium.SetName(oldName);
    m_medium.SetDrive(oldDrive);
    m_medium.SetPath(oldPath);
    m_medium.SetDriveType(oldType);
    m_medium.SetOffline(oldOffline);
    return false;
}
