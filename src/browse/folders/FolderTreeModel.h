#pragma once

#include "browse/folders/FolderChange.h"
#include "browse/folders/FolderEntry.h"

#include <QAbstractItemModel>

#include <functional>
#include <memory>
#include <vector>

class CKivDatabase;
class CKivMedienListe;
class CKivMedium;

// The folder tree: one root per medium of the user, then the CD manager node. Filled lazily: a node
// whose entry has children offers to expand, and its children (folders only, no files) are read
// from disk or catalog when it is expanded. Collapsing forgets them, so the next expansion reads
// the medium again.
class CKivFolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role {
        EntryRole = Qt::UserRole + 1,  // CKivFolderEntry::Ptr
        ImageRole,                     // image number of the entry
        SelectedImageRole,
        KindRole,
    };
    // Renames an entry after label editing; returns the entry with its new name, or null.
    using RenameHandler = std::function<CKivFolderEntry::Ptr(const CKivFolderEntry::Ptr &, const QString &)>;

    explicit CKivFolderTreeModel(CKivDatabase &db, int imageBase = 0, QObject *parent = nullptr);
    ~CKivFolderTreeModel() override;

    // Rebuilds the roots: the user's disk media in the set's order, then the CD manager node with
    // the CDs it shows.
    void Fill(const CKivMedienListe *media, const QString &cdManagerLabel, const std::vector<CKivMedium *> &cds = {});
    void Clear();
    // Forgets the node's children; it can be expanded again.
    void Collapse(const QModelIndex &index);
    // Lets the tree follow a file operation: removed folders go, added folders appear below an
    // expanded parent, folders with a new name show it.
    void ApplyChange(const CKivFolderChange &change);

    CKivFolderEntry::Ptr EntryAt(const QModelIndex &index) const;
    QModelIndex CdManagerIndex() const;
    void SetRenameHandler(RenameHandler handler) { m_rename = std::move(handler); }
    void SetEditable(bool editable) { m_editable = editable; }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;
    std::unique_ptr<Node> makeNode(const CKivFolderEntry::Ptr &entry, Node *parent) const;
    // The node of the folder (or medium) sub-path on the medium; null when it is not in the tree.
    Node *findFolder(const QString &mediumName, const QString &subPath, bool loadedOnly) const;
    void removeNode(Node *node);

    // Whether a change of the rows is being announced: an expansion asked for meanwhile (by a
    // listener of that announcement) is carried out afterwards, never nested in it.
    class ChangeGuard;
    int m_changing = 0;

    CKivDatabase &m_db;
    int m_imageBase;
    std::unique_ptr<Node> m_root;
    RenameHandler m_rename;
    bool m_editable = false;
};
