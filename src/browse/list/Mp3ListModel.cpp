#include "browse/list/Mp3ListModel.h"

#include "catalog/CatalogErrorWatch.h"
#include "browse/Mp3Liste.h"
#include "browse/Mp3MimeData.h"
#include "browse/list/Mp3CellText.h"
#include "browse/list/Mp3SortOrder.h"
#include "mp3/item/Mp3FileOps.h"

#include <iterator>

using KivMp3Column::Field;

namespace {

// "12abc" gives 12, text without leading digits 0: the track is what the digits say.
int leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    while (end < t.size() && t[end].isDigit() && end < 10)
        ++end;
    bool ok = false;
    const int value = t.left(end).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

CKivMp3ListModel::CKivMp3ListModel(Layout layout, QObject *parent)
    : QAbstractTableModel(parent)
    , m_layout(layout)
    , m_columns(layout == Layout::Standard ? &KivMp3Column::standard()
                : layout == Layout::Tv       ? &KivMp3Column::tv()
                                             : &KivMp3Column::playlist())
{
}

CKivMp3ListModel::~CKivMp3ListModel() = default;

Field CKivMp3ListModel::field(int column) const
{
    if (column < 0 || column >= int(m_columns->size()))
        return Field::Hidden;
    return (*m_columns)[size_t(column)].field;
}

int CKivMp3ListModel::columnOf(Field wanted) const
{
    for (size_t i = 0; i < m_columns->size(); ++i) {
        if ((*m_columns)[i].field == wanted)
            return int(i);
    }
    return -1;
}

void CKivMp3ListModel::setList(CKivMp3Liste *list)
{
    disconnect(m_listGone);
    disconnect(m_listAppended);
    m_list = list;
    if (list) {
        m_listGone = connect(list, &QObject::destroyed, this, &CKivMp3ListModel::listDestroyed);
        m_listAppended = connect(list, &CKivMp3Liste::itemsAppended, this, &CKivMp3ListModel::takeAppended);
    }
    refill();
}

// The rows' items may sit on media that go away with the list's document, so none is kept.
void CKivMp3ListModel::listDestroyed()
{
    m_list = nullptr;
    m_playingItem = nullptr;
    refill();
}

void CKivMp3ListModel::refill()
{
    beginResetModel();
    m_rows.clear();
    if (m_list) {
        const CKivMp3Liste::Items &items = m_list->GetItems();
        m_rows.reserve(items.size());
        for (const CKivMp3::Ptr &item : items) {
            if (!item->IsDeleted())
                m_rows.push_back(item);
        }
    }
    m_listSeen = m_list ? m_list->ItemCount() : 0;
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    endResetModel();
}

void CKivMp3ListModel::takeAppended()
{
    if (!m_list || m_listSeen >= m_list->ItemCount())
        return;
    const CKivMp3Liste::Items &items = m_list->GetItems();
    std::vector<CKivMp3::Ptr> added;
    added.reserve(items.size() - size_t(m_listSeen));
    for (size_t i = size_t(m_listSeen); i < items.size(); ++i) {
        if (!items[i]->IsDeleted())
            added.push_back(items[i]);
    }
    m_listSeen = m_list->ItemCount();
    if (added.empty())
        return;
    // Rows arriving while the rows are sorted go to the end; the next sort takes them in.
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(added.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    endInsertRows();
}

int CKivMp3ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CKivMp3ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns->size());
}

QVariant CKivMp3ListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const KivMp3Column::Def &def = (*m_columns)[size_t(index.column())];
    CKivMp3 &item = *m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (def.kind != KivMp3Column::Kind::Text)
            return QVariant();
        return KivMp3CellText::text(item, def.field);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(def.alignment);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: {
        // A picture cell says in words what its picture shows; a screen reader hears an empty one too.
        if (def.kind != KivMp3Column::Kind::Image)
            return QVariant();
        const QString text = KivMp3CellText::imageText(data(index, ImageKeyRole).toInt());
        if (!text.isEmpty() || role == Qt::ToolTipRole)
            return text.isEmpty() ? QVariant() : QVariant(text);
        return def.field == KivMp3Column::Field::Rating ? QStringLiteral("keine Bewertung") : QStringLiteral("unbekannt");
    }
    case ImageKeyRole: {
        if (def.kind != KivMp3Column::Kind::Image)
            return QVariant();
        const bool playing = m_playing && m_playingItem == &item;
        return KivMp3CellText::imageKey(item, def.field, m_list ? m_list->GetMedia() : nullptr, playing);
    }
    case FieldRole:
        return int(def.field);
    default:
        return QVariant();
    }
}

QVariant CKivMp3ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns->size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const KivMp3Column::Def &def = (*m_columns)[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return def.caption;
    case Qt::ToolTipRole:
        return def.toolTip.isEmpty() ? QVariant() : QVariant(def.toolTip);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(def.alignment);
    case FieldRole:
        return int(def.field);
    default:
        return QVariant();
    }
}

Qt::ItemFlags CKivMp3ListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (m_labelEdit && KivMp3Column::isEditable(field(index.column())))
        result |= Qt::ItemIsEditable;
    return result;
}

QStringList CKivMp3ListModel::mimeTypes() const
{
    return {CKivMp3MimeData::mimeType()};
}

bool CKivMp3ListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_list || !(flags(index) & Qt::ItemIsEditable))
        return false;
    CKivMp3 &item = *m_rows[size_t(index.row())];
    const Field f = field(index.column());
    const QString text = value.toString();
    if (text == KivMp3CellText::text(item, f))
        return false;  // nothing new: the file is not written
    // The file must not be held open by the player while it is written or renamed.
    if (m_beforeFileChange)
        m_beforeFileChange();
    // A change the catalog refuses is told to the user; the item and its file stay as they were.
    CKivCatalogErrorWatch watch(m_list->Database());
    if (!applyEdit(item, f, text))
        return false;
    // A tag change rebuilds the search index and a rename the path: repaint the whole row.
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

bool CKivMp3ListModel::applyEdit(CKivMp3 &item, Field f, const QString &text)
{
    CKivDatabase &db = m_list->Database();
    switch (f) {
    case Field::Album:
        return item.SetAlbum(text, db);
    case Field::Artist:
        return item.SetArtist(text, db);
    case Field::Title:
        return item.SetTitle(text, db);
    case Field::Track:
        return item.SetTrackNr(leadingNumber(text), db);
    case Field::Genre:
        return item.SetGenreByName(text, db);
    case Field::Year:
        return item.SetYear(text, db);
    case Field::Comment:
        return item.SetComment(text, db);
    case Field::Filename: {
        const QString newName = text.trimmed();
        if (newName.isEmpty() || !KivMp3FileOps::IsFile(item.FullPath()))
            return false;
        const QString oldName = item.GetFilename();
        const std::optional<QString> used = item.Rename(newName, db);
        if (!used)
            return false;
        const int row = rowOf(&item);
        if (row >= 0)
            Q_EMIT fileRenamed(m_rows[size_t(row)], oldName, *used);
        return true;
    }
    default:
        return false;
    }
}

void CKivMp3ListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || field(column) == Field::Hidden)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const CKivMp3 *> beforeItems;
    beforeItems.reserve(size_t(before.size()));
    for (const QModelIndex &index : before)
        beforeItems.push_back(m_rows[size_t(index.row())].get());

    KivMp3SortOrder::sort(m_rows, field(column), order, m_list ? m_list->GetMedia() : nullptr);
    m_sortColumn = column;
    m_sortOrder = order;

    if (!before.isEmpty()) {
        // Persistent indexes (selection, current row) follow their items.
        QHash<const CKivMp3 *, int> rowOfItem;
        rowOfItem.reserve(qsizetype(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            rowOfItem.insert(m_rows[i].get(), int(i));
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(index(rowOfItem.value(beforeItems[size_t(i)]), before[i].column()));
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CKivMp3ListModel::sortByHeader(int column)
{
    const Qt::SortOrder order =
        column == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sort(column, order);
}

CKivMp3::Ptr CKivMp3ListModel::item(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : nullptr;
}

int CKivMp3ListModel::rowOf(const CKivMp3 *wanted) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].get() == wanted)
            return int(i);
    }
    return -1;
}

void CKivMp3ListModel::setPlaying(const CKivMp3 *playingItem, bool playing)
{
    const int oldRow = m_playingItem ? rowOf(m_playingItem) : -1;
    m_playingItem = playingItem;
    m_playing = playing;
    const int typeColumn = columnOf(Field::Type);
    for (int row : {oldRow, playingItem ? rowOf(playingItem) : -1}) {
        if (row >= 0 && typeColumn >= 0)
            Q_EMIT dataChanged(index(row, typeColumn), index(row, typeColumn), {ImageKeyRole});
    }
}

void CKivMp3ListModel::appendItems(const std::vector<CKivMp3::Ptr> &items)
{
    if (items.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(items.size()) - 1);
    for (const CKivMp3::Ptr &item : items) {
        if (m_list)
            m_list->Append(item);
        m_rows.push_back(item);
    }
    m_listSeen = m_list ? m_list->ItemCount() : 0;
    endInsertRows();
}

void CKivMp3ListModel::removeItem(const CKivMp3 *item)
{
    const int row = rowOf(item);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CKivMp3ListModel::updateAfterFileOperation()
{
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (!m_rows[size_t(row)]->IsDeleted())
            continue;
        // Runs of removed rows go at once.
        int first = row;
        while (first > 0 && m_rows[size_t(first - 1)]->IsDeleted())
            --first;
        beginRemoveRows(QModelIndex(), first, row);
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + row + 1);
        endRemoveRows();
        row = first;
    }
    repaint();
}

void CKivMp3ListModel::repaint()
{
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
