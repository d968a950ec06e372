#pragma once

#include "app/session/LoginForm.h"

#include <QDialog>

class CKivDatabase;
class CKivSettings;
class QComboBox;
class QLineEdit;
class QPushButton;

// The login dialog "Melvora": the user picks his name from the list and types his password;
// "Benutzer" opens the user administration. Ends with OK only for a correct password.
class CKivLoginDlg : public QDialog
{
    Q_OBJECT

public:
    CKivLoginDlg(CKivSettings &settings, CKivDatabase &db, QWidget *parent = nullptr);

    int GetUserId() const { return m_form.GetUserId(); }
    QString GetUserName() const { return m_form.GetUserName(); }

    void accept() override;

private:
    void fillList();
    void openUserAdmin();

    CKivDatabase &m_db;
    CKivLoginForm m_form;
    QComboBox *m_users;
    QLineEdit *m_password;
};
