#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CKivDatabase;
class CKivMedium;
class CKivMediumForm;

// The logged-in user's media set: one medium per MedienNamen row of the catalog (disk and CD, in row
// order), each as this user sees it. Media the user does not have stay in the set (the media catalog
// lists them); lists and searches show only those IsUsersMedium() accepts. The set owns its media.
class CKivMedienListe
{
public:
    // Runs the medium dialog on a form; true when the user confirmed it (the form then has saved).
    using DialogRunner = std::function<bool(CKivMediumForm &)>;

    CKivMedienListe(int userId, const QString &cdDrive);
    ~CKivMedienListe();
    CKivMedienListe(const CKivMedienListe &) = delete;
    CKivMedienListe &operator=(const CKivMedienListe &) = delete;

    // Replaces the set with the catalog's media and checks which are online. False when the
    // catalog could not be read (the set is then empty).
    bool Load(CKivDatabase &db);

    int GetUserID() const { return m_userId; }
    QString GetCdDrive() const { return m_cdDrive; }

    int Count() const { return int(m_media.size()); }
    CKivMedium *At(int index) const;
    auto begin() const { return m_media.begin(); }
    auto end() const { return m_media.end(); }

    // The medium of exactly this name, or nullptr.
    CKivMedium *FindMedium(const QString &name) const;

    // Takes a medium into the set; returns it.
    CKivMedium *Add(std::unique_ptr<CKivMedium> medium);

    // Lets every medium check again whether it is online.
    void CheckOnline();

    // A new disk medium through the medium dialog; added when the dialog was confirmed.
    CKivMedium *CreateNew(CKivDatabase &db, const DialogRunner &runDialog);

    // A new disk medium named `name` on `folder` without a dialog (the first medium after the
    // installation): stored with its header file, added and checked. nullptr (after telling the
    // user) for a name that is taken, reserved or too long, or when saving fails.
    CKivMedium *CreateFromFolder(CKivDatabase &db, const QString &name, const QString &folder);

    // Whether MedienNamen already holds name.
    static bool NameExists(CKivDatabase &db, const QString &name);

private:
    int m_userId;
    QString m_cdDrive;
    std::vector<std::unique_ptr<CKivMedium>> m_media;
};
