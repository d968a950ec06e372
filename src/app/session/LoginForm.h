#pragma once

#include <QList>
#include <QString>

class CKivDatabase;
class CKivSettings;

// What the login dialog shows and decides, without its widgets: the users of table Benutzer in table
// order, the preselection of the user chosen last, the selection that is remembered at once, and the
// password check of "Anmelden". Messages go through the core's user interface.
class CKivLoginForm
{
public:
    struct Entry
    {
        QString name;
        int id = -1;
    };

    CKivLoginForm(CKivSettings &settings, CKivDatabase &db);

    // Fills the list from the catalog (empty without a connection) and selects the first entry whose
    // name begins with the stored last user name, without regard to case.
    void Refill();

    const QList<Entry> &Entries() const { return m_entries; }
    int CurrentIndex() const { return m_current; }

    // The selection step: the entry becomes the selected user, and its name the stored last user
    // name at once. An index outside the list selects nobody.
    void Select(int index);

    int GetUserId() const { return m_userId; }
    QString GetUserName() const { return m_userName; }

    // "Anmelden": true when a user is selected and typed is his password. Otherwise tells the user
    // that the password is wrong, and the dialog stays open.
    bool Accept(const QString &typed);

    static QString WrongPasswordText();
    static QString WrongPasswordCaption();

private:
    CKivSettings &m_settings;
    CKivDatabase &m_db;
    QList<Entry> m_entries;
    int m_current = -1;
    int m_userId = -1;
    QString m_readError;  // why the users could not be read; empty when they were
    QString m_userName;
};
