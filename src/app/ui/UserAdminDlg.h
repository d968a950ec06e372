#pragma once

#include "app/session/UserAdminForm.h"

#include <QDialog>

#include <array>

class CKivDatabase;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

// The user administration "Benutzerverwaltung:": the users on the left (newest first), the loaded
// user's data on the right. A user with a password stays locked until his old password is typed.
// Every action writes to the catalog at once; "Schließen" writes nothing.
class CKivUserAdminDlg : public QDialog
{
    Q_OBJECT

public:
    CKivUserAdminDlg(CKivDatabase &db, QWidget *parent = nullptr);

    const CKivUserAdminForm &form() const { return m_form; }

    // How long typing in "Passwort (Alt):" must pause before the password is checked.
    static constexpr int OldPasswordDelayMs = 200;

private:
    void showForm();
    void rebuildList();
    void listClicked();
    void runAction(void (CKivUserAdminForm::*action)());

    CKivUserAdminForm m_form;
    QTableWidget *m_list;
    std::array<QLineEdit *, CKivUserAdminForm::FieldCount> m_fields{};
    QPushButton *m_delete = nullptr;
    QTimer *m_oldPasswordTimer;
    int m_shownRefill = -1;
};
