#pragma once

#include "browse/folders/FolderChange.h"
#include "browse/folders/FolderEntry.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

class CKivDatabase;
class CKivMedienListe;

// The file list: the folders and MP3 files of one entry (or the user's media as the top level), in
// the columns name, size, type and date. The same rows serve the three display modes; the image
// number of each row tells the view which picture to show.
class CKivFileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ColName, ColSize, ColType, ColDate, ColumnCount };
    enum Role {
        EntryRole = Qt::UserRole + 1,  // CKivFolderEntry::Ptr
        ImageRole,
        KindRole,
    };
    using RenameHandler = std::function<CKivFolderEntry::Ptr(const CKivFolderEntry::Ptr &, const QString &)>;

    explicit CKivFileListModel(CKivDatabase &db, int imageBase = 0, QObject *parent = nullptr);

    // Shows the children of entry, read anew.
    void ShowChildrenOf(const CKivFolderEntry::Ptr &entry);
    // Shows the user's disk media as the top level (no current entry).
    void ShowMedia(const CKivMedienListe *media);
    // Reads the current entry's children again.
    void Reload();
    void Clear();
    // Lets the rows follow a file operation: a removed entry's row goes, an added entry in the shown
    // folder gets a row, an entry with a new name shows it.
    void ApplyChange(const CKivFolderChange &change);

    CKivFolderEntry::Ptr Current() const { return m_current; }
    bool ShowsMedia() const { return m_showsMedia; }
    // "(" + medium name + ")" + sub-path of the current entry, "Medien" for the top level.
    QString AddressText() const;
    CKivFolderEntry::Ptr EntryAt(int row) const;
    int RowOf(const CKivFolderEntry &entry) const;
    void SetRenameHandler(RenameHandler handler) { m_rename = std::move(handler); }
    void SetEditable(bool editable) { m_editable = editable; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void setRows(std::vector<CKivFolderEntry::Ptr> rows);
    // Whether entry (a file or folder) lies directly in the shown folder.
    bool isShownHere(const CKivFolderEntry &entry) const;

    CKivDatabase &m_db;
    int m_imageBase;
    CKivFolderEntry::Ptr m_current;
    bool m_showsMedia = false;
    std::vector<CKivFolderEntry::Ptr> m_rows;
    RenameHandler m_rename;
    bool m_editable = false;
};
