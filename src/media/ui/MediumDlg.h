#pragma once

#include <QDialog>

class CKivMedium;
class CKivMediumForm;
class CKivDatabase;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The medium dialog "Medium Erstellen/ Bearbeiten": name, root (chosen with "..." and split into
// drive and path), drive type, the offline switch and the online state of one medium. Every decision
// is the form's; the dialog shows the form's values and hands the user's input to it. "OK" closes
// only when the form has saved the medium.
class CKivMediumDlg : public QDialog
{
    Q_OBJECT

public:
    CKivMediumDlg(CKivMediumForm &form, QWidget *parent = nullptr);

    // Runs the dialog modally on medium with the user's catalog; true when the medium was saved.
    static bool Run(CKivMedium &medium, CKivDatabase &db, QWidget *parent);
    // The same on a form a caller made (a new medium of the media set).
    static bool RunForm(CKivMediumForm &form, QWidget *parent);

    CKivMediumForm &form() const { return m_form; }

    void accept() override;

private:
    void chooseFolder();
    void createHeader();
    void showRoot();
    void takeInput();

    CKivMediumForm &m_form;
    QLineEdit *m_name;
    QLineEdit *m_drive;
    QLineEdit *m_path;
    QComboBox *m_driveType;
    QCheckBox *m_offline;
    QLabel *m_status;
};
