#include "browse/folders/FileListModel.h"

#include "browse/folders/Folder.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/SizeText.h"

#include <QLocale>

CKivFileListModel::CKivFileListModel(CKivDatabase &db, int imageBase, QObject *parent)
    : QAbstractTableModel(parent)
    , m_db(db)
    , m_imageBase(imageBase)
{
}

void CKivFileListModel::setRows(std::vector<CKivFolderEntry::Ptr> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void CKivFileListModel::ShowChildrenOf(const CKivFolderEntry::Ptr &entry)
{
    m_current = entry;
    m_showsMedia = false;
    Reload();
}

void CKivFileListModel::ShowMedia(const CKivMedienListe *media)
{
    m_current.reset();
    m_showsMedia = true;
    std::vector<CKivFolderEntry::Ptr> rows;
    if (media) {
        for (const auto &medium : *media) {
            if (!medium->IsCd() && medium->GetID() != -1 && medium->IsUsersMedium())
                rows.push_back(CKivFolderEntry::ForMedium(medium.get(), m_imageBase));
        }
    }
    setRows(std::move(rows));
}

void CKivFileListModel::Reload()
{
    if (m_showsMedia || !m_current) {
        if (!m_showsMedia)
            setRows({});
        return;
    }
    std::vector<CKivFolderEntry::Ptr> rows;
    for (const CKivFolderEntry::Ptr &child : m_current->GetChildren(m_db))
        rows.push_back(child);
    setRows(std::move(rows));
}

void CKivFileListModel::Clear()
{
    m_current.reset();
    m_showsMedia = false;
    setRows({});
}

QString CKivFileListModel::AddressText() const
{
    if (m_showsMedia)
        return QStringLiteral("Medien");
    return m_current ? m_current->Address() : QString();
}

CKivFolderEntry::Ptr CKivFileListModel::EntryAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : nullptr;
}

int CKivFileListModel::RowOf(const CKivFolderEntry &entry) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const CKivFolderEntry &row = *m_rows[i];
        if (row.GetMedium() == entry.GetMedium() && row.GetSubPath() == entry.GetSubPath()
            && row.GetFileName() == entry.GetFileName() && row.IsFile() == entry.IsFile())
            return int(i);
    }
    return -1;
}

bool CKivFileListModel::isShownHere(const CKivFolderEntry &entry) const
{
    if (!m_current || m_showsMedia || entry.GetMedium() != m_current->GetMedium())
        return false;
    const QString folder = m_current->GetSubPath();
    if (entry.IsFile())
        return entry.GetSubPath() == folder;
    const QString subPath = entry.GetSubPath();
    return subPath.size() > folder.size() && subPath.startsWith(folder)
        && subPath.indexOf(QLatin1Char('\\'), folder.size()) == subPath.size() - 1;
}

void CKivFileListModel::ApplyChange(const CKivFolderChange &change)
{
    if (!change.entry)
        return;
    if (change.kind == CKivFolderChange::Added) {
        if (!isShownHere(*change.entry) || RowOf(*change.entry) >= 0)
            return;
        const int row = int(m_rows.size());
        beginInsertRows(QModelIndex(), row, row);
        m_rows.push_back(change.entry);
        endInsertRows();
        return;
    }
    // The entry as it was: medium, old sub-path and file name.
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const CKivFolderEntry &row = *m_rows[i];
        if (row.GetMediumName() != change.mediumName || row.GetSubPath() != change.oldSubPath
            || row.IsFile() != !change.IsFolder() || (!change.IsFolder() && row.GetFileName() != change.oldFilename))
            continue;
        if (change.kind == CKivFolderChange::Removed) {
            beginRemoveRows(QModelIndex(), int(i), int(i));
            m_rows.erase(m_rows.begin() + qsizetype(i));
            endRemoveRows();
        } else {
            m_rows[i] = change.entry;
            Q_EMIT dataChanged(index(int(i), 0), index(int(i), ColumnCount - 1));
        }
        return;
    }
    // The shown folder itself (or one above it) went away or moved: nothing of it is left to show.
    if (m_current && change.kind == CKivFolderChange::Removed && change.IsFolder() && !change.moved
        && m_current->GetMediumName() == change.mediumName && !change.oldSubPath.isEmpty()
        && m_current->GetSubPath().startsWith(change.oldSubPath))
        Clear();
}

int CKivFileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CKivFileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CKivFileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return QVariant();
    const CKivFolderEntry::Ptr &entry = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColName:
            return entry->GetName();
        case ColSize:
            return entry->IsFile() ? KivSizeText::Format(entry->GetFileSize()) : QString();
        case ColType:
            return entry->GetLabel();
        case ColDate:
            return entry->GetDate().isValid() ? QLocale(QLocale::German).toString(entry->GetDate(), QLocale::ShortFormat)
                                              : QString();
        default:
            return QVariant();
        }
    case Qt::EditRole:
        return index.column() == ColName ? QVariant(entry->GetName()) : QVariant();
    case Qt::ToolTipRole:
        return entry->GetFullPath();
    case Qt::AccessibleTextRole:
        return index.column() == ColName ? QVariant(entry->GetSpokenText()) : QVariant();
    case EntryRole:
        return QVariant::fromValue(entry);
    case ImageRole:
        return entry->GetImage();
    case KindRole:
        return entry->GetKind();
    default:
        return QVariant();
    }
}

QVariant CKivFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColName:
        return QStringLiteral("Name");
    case ColSize:
        return QStringLiteral("Größe");
    case ColType:
        return QStringLiteral("Typ");
    case ColDate:
        return QStringLiteral("Datum");
    default:
        return QVariant();
    }
}

bool CKivFileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != ColName || !m_rename)
        return false;
    const CKivFolderEntry::Ptr &entry = m_rows[size_t(index.row())];
    if (value.toString() == entry->GetName())
        return false;
    const CKivFolderEntry::Ptr renamed = m_rename(entry, value.toString());
    if (!renamed)
        return false;
    m_rows[size_t(index.row())] = renamed;
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

Qt::ItemFlags CKivFileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    const CKivFolderEntry::Ptr &entry = m_rows[size_t(index.row())];
    if (!entry->IsFile())
        result |= Qt::ItemIsDropEnabled;
    if (m_editable && index.column() == ColName)
        result |= Qt::ItemIsEditable;
    return result;
}
