#pragma once

#include <QDialog>

class CKivCdMediumForm;
class QLabel;
class QLineEdit;

// The CD medium dialog "Kiv Medium CD-ROM": the name of a new CD medium (shown with its "CD:\"
// prefix as typed), the disc's header and size flags, its size and the status. The form decides;
// "OK" closes only when it has stored the medium.
class CKivCdMediumDlg : public QDialog
{
    Q_OBJECT

public:
    CKivCdMediumDlg(CKivCdMediumForm &form, QWidget *parent = nullptr);

    static bool Run(CKivCdMediumForm &form, QWidget *parent);

    void accept() override;

private:
    CKivCdMediumForm &m_form;
    QLineEdit *m_name;
    QLabel *m_mediumName;
};
