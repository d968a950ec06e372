#pragma once

#include "app/session/NewConnectionForm.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;

// The dialog "Neue Verbindung": a data source for a catalog on a PostgreSQL server shared by several
// computers. "OK" stores the password in the password file, tests the connection and registers the
// data source; the dialog stays open while the server refuses, showing the driver's message.
class CKivNewConnectionDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CKivNewConnectionDlg(const QString &dataSourceName, QWidget *parent = nullptr);

    // The data source registered once the dialog ended with OK.
    QString DataSourceName() const { return m_form.DataSourceName(); }

    void accept() override;

private:
    QLineEdit *addField(const QString &label, const QString &name, const QString &text);

    CKivNewConnectionForm m_form;
    QFormLayout *m_fields;
    QLineEdit *m_name;
    QLineEdit *m_server;
    QLineEdit *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QComboBox *m_encryption;
};
