#pragma once

#include <QList>
#include <QString>

#include <array>

class CKivDatabase;
class CRsBenutzer;

// What the user administration dialog shows and decides, without its widgets: the list of users
// (newest first), the six fields with their enabled states, and the actions "Neu", "Speichern",
// a click into the list, the old-password check and "Löschen". The current user ID is -1 when
// nobody is loaded, 0 while a new user is entered, else the ID of the loaded user. Every action
// writes to the catalog at once.
//
// A loaded user's password is never shown: the password field starts empty, and saving keeps the
// stored password unless the field was edited (an edited field left empty removes the password).
class CKivUserAdminForm
{
public:
    enum Field { UserName, FirstName, Surname, Email, Password, OldPassword };
    static constexpr int FieldCount = 6;

    struct Entry
    {
        QString name;
        int id = -1;
    };

    explicit CKivUserAdminForm(CKivDatabase &db);

    // Reads the users anew (newest first), empties and disables every field, loads nobody.
    void Refill();

    const QList<Entry> &Entries() const { return m_entries; }
    // Counts the refills, so that the dialog knows when to rebuild its list.
    int RefillCount() const { return m_refills; }
    int CurrentId() const { return m_currentId; }
    QString Text(Field field) const { return m_text.at(field); }
    bool IsEnabled(Field field) const { return m_enabled.at(field); }
    bool IsDeleteEnabled() const { return m_deleteEnabled; }
    // Whether the loaded user has a password (the dialog hints at it in the empty password field).
    bool LoadedUserHasPassword() const { return m_currentId > 0 && !m_storedPassword.isEmpty(); }
    bool IsPasswordEdited() const { return m_passwordEdited; }

    // Typing into a field; refused (false) while the field is disabled. Typing into "Passwort (Alt):"
    // does not check it yet: see CheckOldPassword.
    bool SetText(Field field, const QString &text);

    // "Neu": empty fields ready for a new user (current ID 0).
    void New();
    // "Speichern": inserts the new user, or stores the loaded one, then refills.
    void Save();
    // A mouse click into the list; selectedId is the ID of the selected entry, -1 when none is.
    void Click(int selectedId);
    // Compares "Passwort (Alt):" with the loaded user's password and unlocks him when it matches.
    // True when the user is unlocked afterwards.
    bool CheckOldPassword();
    // "Löschen": refused with a message while media are assigned to the user.
    void Delete();

    static QString MediaAssignedText();
    static QString MediaAssignedCaption();

private:
    enum class StoreResult { Stored, Missing, Failed };

    void insertNewUser();
    StoreResult storeLoadedUser();
    bool load(int id);
    void setUnlocked(bool unlocked);
    void clearFields();

    CKivDatabase &m_db;
    QList<Entry> m_entries;
    std::array<QString, FieldCount> m_text;
    std::array<bool, FieldCount> m_enabled{};
    bool m_deleteEnabled = false;
    int m_currentId = -1;
    QString m_storedPassword;
    bool m_passwordEdited = false;
    int m_refills = 0;
};
