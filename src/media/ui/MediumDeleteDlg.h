#pragma once

#include <QDialog>

class CKivMedium;
class IKivMediaHost;
class QLabel;
class QProgressBar;
class QPushButton;

// "Medien Löschen": deletes one medium with all its catalog rows after asking, showing each step's
// status text and a bar that runs with the rows deleted. The document's media are read anew
// afterwards, so the medium given is gone once the deletion succeeded.
class CKivMediumDeleteDlg : public QDialog
{
    Q_OBJECT

public:
    CKivMediumDeleteDlg(IKivMediaHost &host, CKivMedium *medium, QWidget *parent = nullptr);

    // Whether a deletion succeeded while the dialog was open.
    bool Deleted() const { return m_deleted; }
    // "Löschen".
    void DeleteMedium();

private:
    IKivMediaHost &m_host;
    CKivMedium *m_medium;
    QProgressBar *m_bar;
    QLabel *m_status;
    QPushButton *m_delete;
    QPushButton *m_close;
    bool m_deleted = false;
};
