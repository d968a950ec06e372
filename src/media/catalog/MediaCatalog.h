#pragma once

#include <QString>

#include <functional>
#include <vector>

class CKivDatabase;
class CKivMedienListe;
class CKivMedium;
class CKivMediumForm;

// What the media catalog shows and allows, without its widgets: the user's media and the catalog's
// other media as two lists, the current medium, which buttons it enables, and taking over or giving
// up a medium. It works on the document's media set.
class CKivMediaCatalog
{
public:
    struct UserEntry
    {
        CKivMedium *medium;
        int icon;  // drive type code, + OfflineIconShift when the medium is not online
    };
    struct Buttons
    {
        bool edit = false;
        bool remove = false;  // "<- Entfernem"
        bool add = false;     // "Hinzufügen ->"
        bool exportArchive = false;
        bool deleteMedium = false;
    };
    using DialogRunner = std::function<bool(CKivMediumForm &)>;

    static constexpr int OfflineIconShift = 15;

    CKivMediaCatalog(CKivDatabase &db, CKivMedienListe &media);

    bool ShowCds() const { return m_showCds; }
    void SetShowCds(bool show) { m_showCds = show; }

    // Checks every medium's state and sorts the media into the two lists, in the set's order.
    void Fill();
    const std::vector<UserEntry> &UserMedia() const { return m_userMedia; }
    const std::vector<CKivMedium *> &CatalogMedia() const { return m_catalogMedia; }

    CKivMedium *Current() const { return m_current; }
    void Select(CKivMedium *medium) { m_current = medium; }
    Buttons ButtonStates() const;

    // "Hinzufügen ->": the medium dialog on a medium of the catalog list, where the user gives it his
    // own root; true when it was saved (it is then his).
    bool Assign(CKivMedium *medium, const DialogRunner &runDialog);
    // "<- Entfernem": the user's assignment of a disk medium goes; its rows stay.
    bool Unassign(CKivMedium *medium);

private:
    CKivDatabase &m_db;
    CKivMedienListe &m_media;
    bool m_showCds = true;
    std::vector<UserEntry> m_userMedia;
    std::vector<CKivMedium *> m_catalogMedia;
    CKivMedium *m_current = nullptr;
};
