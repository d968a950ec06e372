#pragma once

#include "app/session/ConnectionForm.h"

#include <QDialog>

#include <functional>

class CKivDatabase;
class CKivSettings;
class QLabel;
class QLineEdit;

// The connection dialog "Datenbankverbindung": the data source name and the values shown with it,
// the connection status, "Datei auswählen" that registers a catalog file under the name, "Neue
// Verbindung..." that adds a data source on a PostgreSQL server, and "OK" that saves the values and
// connects. Without a connection it offers the file choice at once.
class CKivConnectionDlg : public QDialog
{
    Q_OBJECT

public:
    CKivConnectionDlg(CKivSettings &settings, CKivDatabase &db, QWidget *parent = nullptr);

    // How the dialog asks for a file: the path chosen, empty when cancelled. Tests replace it.
    using FileChooser = std::function<QString(QWidget *parent)>;
    static void setFileChooser(FileChooser chooser);

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void chooseFile();
    // "Neue Verbindung...": a data source on a PostgreSQL server, then connecting as "OK" does.
    void addServerConnection();
    void takeFields();

    CKivConnectionForm m_form;
    QLineEdit *m_aliasname;
    QLineEdit *m_username;
    QLineEdit *m_passwort;
    QLabel *m_status;
    bool m_offerFileChoice = false;
    bool m_shown = false;
};
