#pragma once

#include <QDialog>

#include <memory>

class CKivMediaCatalog;
class CKivMedium;
class IKivMediaHost;
class QCheckBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

// "Melvora -  Medienkatalog": the user's media and the catalog's other media side by side, with the
// buttons that create, edit, take over, give up, delete, export and import media. The lists are
// filled anew after every action.
class CKivMediaCatalogDlg : public QDialog
{
    Q_OBJECT

public:
    CKivMediaCatalogDlg(IKivMediaHost &host, QWidget *parent = nullptr);
    ~CKivMediaCatalogDlg() override;

    CKivMediaCatalog &catalog() const { return *m_catalog; }
    void Refill();

private:
    void createButtons();
    void select(CKivMedium *medium);
    void updateButtons();
    void onCreate();
    void onEdit();
    void onAssign();
    void onUnassign();
    void onDelete();
    void onExport();
    void onImport();

    IKivMediaHost &m_host;
    std::unique_ptr<CKivMediaCatalog> m_catalog;
    QStandardItemModel *m_userModel;
    QStandardItemModel *m_catalogModel;
    QTableView *m_userList;
    QTableView *m_catalogList;
    QPushButton *m_create;
    QPushButton *m_edit;
    QPushButton *m_add;
    QPushButton *m_remove;
    QPushButton *m_delete;
    QPushButton *m_export;
    QPushButton *m_import;
    QPushButton *m_close;
    QCheckBox *m_showCds;
};
