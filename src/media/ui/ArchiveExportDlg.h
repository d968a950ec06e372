#pragma once

#include <QDialog>

class CKivDatabase;
class CKivMedium;
class QPushButton;

// "Medium Archivieren": exports one medium into a medium archive file the user chooses.
class CKivArchiveExportDlg : public QDialog
{
    Q_OBJECT

public:
    CKivArchiveExportDlg(CKivDatabase &db, const CKivMedium &medium, QWidget *parent = nullptr);

    // "Exportieren".
    void ExportMedium();

private:
    CKivDatabase &m_db;
    const CKivMedium &m_medium;
    QPushButton *m_export;
    QPushButton *m_close;
};
