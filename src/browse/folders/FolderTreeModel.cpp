#include "browse/folders/FolderTreeModel.h"

#include "browse/folders/Folder.h"
#include "media/MedienListe.h"
#include "media/Medium.h"

struct CKivFolderTreeModel::Node
{
    CKivFolderEntry::Ptr entry;
    Node *parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    bool hasChildren = false;
    bool fetched = false;

    int row() const
    {
        if (!parent)
            return 0;
        for (size_t i = 0; i < parent->children.size(); ++i) {
            if (parent->children[i].get() == this)
                return int(i);
        }
        return 0;
    }
};

class CKivFolderTreeModel::ChangeGuard
{
public:
    explicit ChangeGuard(CKivFolderTreeModel &model) : m_model(model) { ++m_model.m_changing; }
    ~ChangeGuard() { --m_model.m_changing; }
    ChangeGuard(const ChangeGuard &) = delete;
    ChangeGuard &operator=(const ChangeGuard &) = delete;

private:
    CKivFolderTreeModel &m_model;
};

CKivFolderTreeModel::CKivFolderTreeModel(CKivDatabase &db, int imageBase, QObject *parent)
    : QAbstractItemModel(parent)
    , m_db(db)
    , m_imageBase(imageBase)
    , m_root(std::make_unique<Node>())
{
    m_root->fetched = true;
}

CKivFolderTreeModel::~CKivFolderTreeModel() = default;

std::unique_ptr<CKivFolderTreeModel::Node> CKivFolderTreeModel::makeNode(const CKivFolderEntry::Ptr &entry,
                                                                         Node *parent) const
{
    auto node = std::make_unique<Node>();
    node->entry = entry;
    node->parent = parent;
    node->hasChildren = entry->HasChildren(m_db);
    return node;
}

void CKivFolderTreeModel::Fill(const CKivMedienListe *media, const QString &cdManagerLabel,
                               const std::vector<CKivMedium *> &cds)
{
    ChangeGuard guard(*this);
    beginResetModel();
    m_root->children.clear();
    if (media) {
        for (const auto &medium : *media) {
            if (medium->IsCd() || medium->GetID() == -1 || !medium->IsUsersMedium())
                continue;
            m_root->children.push_back(makeNode(CKivFolderEntry::ForMedium(medium.get(), m_imageBase), m_root.get()));
        }
    }
    CKivFolderEntry::Ptr cdManager = CKivFolderEntry::ForCdManager(cdManagerLabel, m_imageBase);
    std::vector<CKivFolderEntry::Ptr> cdEntries;
    for (CKivMedium *cd : cds)
        cdEntries.push_back(CKivFolderEntry::ForCd(cd, m_imageBase));
    cdManager->SetCdChildren(std::move(cdEntries));
    m_root->children.push_back(makeNode(cdManager, m_root.get()));
    endResetModel();
}

void CKivFolderTreeModel::Clear()
{
    ChangeGuard guard(*this);
    beginResetModel();
    m_root->children.clear();
    endResetModel();
}

CKivFolderTreeModel::Node *CKivFolderTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : m_root.get();
}

QModelIndex CKivFolderTreeModel::indexOf(Node *node) const
{
    if (!node || node == m_root.get())
        return QModelIndex();
    return createIndex(node->row(), 0, node);
}

CKivFolderEntry::Ptr CKivFolderTreeModel::EntryAt(const QModelIndex &index) const
{
    return index.isValid() ? nodeOf(index)->entry : nullptr;
}

QModelIndex CKivFolderTreeModel::CdManagerIndex() const
{
    for (const auto &node : m_root->children) {
        if (node->entry->GetKind() == CKivFolderEntry::CdManager)
            return indexOf(node.get());
    }
    return QModelIndex();
}

QModelIndex CKivFolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0))
        return QModelIndex();
    Node *node = nodeOf(parent);
    if (row >= int(node->children.size()))
        return QModelIndex();
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex CKivFolderTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return QModelIndex();
    return indexOf(nodeOf(child)->parent);
}

int CKivFolderTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return int(nodeOf(parent)->children.size());
}

int CKivFolderTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant CKivFolderTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const CKivFolderEntry::Ptr &entry = nodeOf(index)->entry;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return entry->GetName();
    case Qt::ToolTipRole:
        return entry->GetFullPath();
    case Qt::AccessibleTextRole:
        return entry->GetSpokenText();
    case EntryRole:
        return QVariant::fromValue(entry);
    case ImageRole:
        return entry->GetImage();
    case SelectedImageRole:
        return entry->GetSelectedImage();
    case KindRole:
        return entry->GetKind();
    default:
        return QVariant();
    }
}

bool CKivFolderTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_rename)
        return false;
    Node *node = nodeOf(index);
    const QString name = value.toString();
    if (name == node->entry->GetName())
        return false;
    const CKivFolderEntry::Ptr renamed = m_rename(node->entry, name);
    if (!renamed)
        return false;
    // The children were read under the old path.
    Collapse(index);
    node->entry = renamed;
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags CKivFolderTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int kind = nodeOf(index)->entry->GetKind();
    if (kind != CKivFolderEntry::CdManager && kind != CKivFolderEntry::Cd)
        result |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (m_editable && kind != CKivFolderEntry::CdManager)
        result |= Qt::ItemIsEditable;
    return result;
}

bool CKivFolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    if (!parent.isValid())
        return !node->children.empty();
    return node->fetched ? !node->children.empty() : node->hasChildren;
}

bool CKivFolderTreeModel::canFetchMore(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return false;
    const Node *node = nodeOf(parent);
    return !node->fetched && node->hasChildren;
}

void CKivFolderTreeModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    if (m_changing > 0) {
        const QPersistentModelIndex later(parent);
        QMetaObject::invokeMethod(
            this, [this, later] {
                if (later.isValid())
                    fetchMore(later);
            },
            Qt::QueuedConnection);
        return;
    }
    ChangeGuard guard(*this);
    Node *node = nodeOf(parent);
    node->fetched = true;
    std::vector<std::unique_ptr<Node>> children;
    for (const CKivFolderEntry::Ptr &child : node->entry->GetChildren(m_db)) {
        if (child->IsFile())
            continue;
        children.push_back(makeNode(child, node));
    }
    if (children.empty()) {
        // Nothing below after all: the expansion mark goes.
        node->hasChildren = false;
        Q_EMIT dataChanged(parent, parent);
        return;
    }
    beginInsertRows(parent, 0, int(children.size()) - 1);
    node->children = std::move(children);
    endInsertRows();
}

void CKivFolderTreeModel::Collapse(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    Node *node = nodeOf(index);
    ChangeGuard guard(*this);
    if (!node->children.empty()) {
        beginRemoveRows(index, 0, int(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    node->fetched = false;
    node->hasChildren = node->entry->HasChildren(m_db);
}

CKivFolderTreeModel::Node *CKivFolderTreeModel::findFolder(const QString &mediumName, const QString &subPath,
                                                           bool loadedOnly) const
{
    for (const auto &root : m_root->children) {
        if (root->entry->GetKind() != CKivFolderEntry::Medium || root->entry->GetMediumName() != mediumName)
            continue;
        Node *node = root.get();
        while (node->entry->GetSubPath() != subPath) {
            Node *next = nullptr;
            for (const auto &child : node->children) {
                const QString childPath = child->entry->GetSubPath();
                if (subPath.startsWith(childPath) && !childPath.isEmpty()) {
                    next = child.get();
                    break;
                }
            }
            if (!next)
                return nullptr;
            node = next;
        }
        if (loadedOnly && !node->fetched)
            return nullptr;
        return node;
    }
    return nullptr;
}

void CKivFolderTreeModel::removeNode(Node *node)
{
    Node *parent = node->parent;
    const int row = node->row();
    ChangeGuard guard(*this);
    beginRemoveRows(indexOf(parent), row, row);
    parent->children.erase(parent->children.begin() + row);
    endRemoveRows();
}

void CKivFolderTreeModel::ApplyChange(const CKivFolderChange &change)
{
    if (!change.entry || !change.IsFolder() || change.entry->IsMedium())
        return;
    switch (change.kind) {
    case CKivFolderChange::Removed:
        if (Node *node = findFolder(change.mediumName, change.oldSubPath, false))
            removeNode(node);
        break;
    case CKivFolderChange::Renamed:
        if (Node *node = findFolder(change.mediumName, change.oldSubPath, false)) {
            const QModelIndex at = indexOf(node);
            Collapse(at);
            node->entry = change.entry;
            Q_EMIT dataChanged(at, at);
        }
        break;
    case CKivFolderChange::Added: {
        const QString subPath = change.entry->GetSubPath();
        const QString parentPath = subPath.left(subPath.chopped(1).lastIndexOf(QLatin1Char('\\')) + 1);
        Node *parent = findFolder(change.mediumName, parentPath, true);
        if (!parent) {
            // A collapsed or not yet expandable parent only needs to offer expansion.
            if (Node *closed = findFolder(change.mediumName, parentPath, false)) {
                closed->hasChildren = true;
                const QModelIndex at = indexOf(closed);
                Q_EMIT dataChanged(at, at);
            }
            break;
        }
        for (const auto &child : parent->children) {
            if (child->entry->GetSubPath() == subPath)
                return;
        }
        const int row = int(parent->children.size());
        ChangeGuard guard(*this);
        beginInsertRows(indexOf(parent), row, row);
        parent->children.push_back(makeNode(change.entry, parent));
        endInsertRows();
        break;
    }
    }
}
