#pragma once

#include <QString>

class CKivDatabase;
class CKivSettings;

// What the connection dialog shows and decides, without its widgets: the three connection values,
// the status text, "OK" that saves them and connects, and the registration of a chosen database file
// under the data source name of the dialog. Messages go through the core's user interface.
class CKivConnectionForm
{
public:
    CKivConnectionForm(CKivSettings &settings, CKivDatabase &db);

    // Sets the status text from whether the connection is open now; called before the dialog shows.
    void UpdateStatus();
    QString StatusText() const { return m_status; }

    // On opening: fills the fields from the settings and tries to connect. True when that failed, so
    // that the dialog offers the file choice at once.
    bool Open();

    QString Aliasname() const { return m_aliasname; }
    void SetAliasname(const QString &v) { m_aliasname = v; }
    QString Username() const { return m_username; }
    void SetUsername(const QString &v) { m_username = v; }
    QString Passwort() const { return m_passwort; }
    void SetPasswort(const QString &v) { m_passwort = v; }

    // "OK": saves the fields and connects. True when the dialog may close.
    bool Accept();

    // "Datei auswählen" confirmed with path: registers the data source named by "Aliasname:" for that
    // file and tells the user how it went. Saves nothing and does not connect.
    bool ChooseFile(const QString &path);

    // The filter of the file dialog.
    static QString FileFilter();

    static QString ConnectedText() { return QStringLiteral("Verbunden"); }
    static QString NotConnectedText() { return QStringLiteral("Nicht Verbunden"); }

private:
    CKivSettings &m_settings;
    CKivDatabase &m_db;
    QString m_status;
    QString m_aliasname;
    QString m_username;
    QString m_passwort;
};
