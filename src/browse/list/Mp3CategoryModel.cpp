#include "browse/list/Mp3CategoryModel.h"

#include "browse/Mp3Liste.h"
#include "browse/list/Mp3CellText.h"
#include "browse/list/Mp3ListModel.h"
#include "browse/list/Mp3SortOrder.h"

CKivMp3CategoryModel::CKivMp3CategoryModel(CKivMp3ListModel &source, QObject *parent)
    : QAbstractTableModel(parent)
    , m_source(source)
    , m_labelColumn(source.columnOf(KivMp3Column::Field::Filename))
{
    m_groupColumn = source.columnOf(KivMp3Column::Field::Artist);
    connect(&source, &QAbstractItemModel::modelReset, this, &CKivMp3CategoryModel::rebuild);
    connect(&source, &QAbstractItemModel::layoutChanged, this, &CKivMp3CategoryModel::rebuild);
    connect(&source, &QAbstractItemModel::rowsInserted, this, &CKivMp3CategoryModel::rebuild);
    connect(&source, &QAbstractItemModel::rowsRemoved, this, &CKivMp3CategoryModel::rebuild);
    connect(&source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                // A changed text in the grouping column moves the row to another group.
                if (m_groupColumn >= topLeft.column() && m_groupColumn <= bottomRight.column()
                    && (roles.isEmpty() || roles.contains(Qt::DisplayRole))) {
                    rebuild();
                    return;
                }
                const int first = rowOfSource(topLeft.row());
                const int last = rowOfSource(bottomRight.row());
                if (first >= 0 && last >= 0)
                    Q_EMIT dataChanged(index(qMin(first, last), topLeft.column()),
                                       index(qMax(first, last), bottomRight.column()), roles);
                else
                    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
            });
    rebuildNow();
}

void CKivMp3CategoryModel::setGroupColumn(int column)
{
    if (column < 0 || column >= m_source.columnCount())
        return;
    m_groupColumn = column;
    rebuild();
}

void CKivMp3CategoryModel::rebuild()
{
    beginResetModel();
    rebuildNow();
    endResetModel();
}

void CKivMp3CategoryModel::rebuildNow()
{
    m_groups.clear();
    m_entries.clear();
    const std::vector<CKivMp3::Ptr> &rows = m_source.rows();
    m_rowOfSource.assign(rows.size(), -1);
    if (m_groupColumn < 0)
        return;
    const KivMp3Column::Field field = m_source.field(m_groupColumn);
    const std::vector<int> perm = KivMp3SortOrder::permutation(
        rows, field, Qt::AscendingOrder, m_source.list() ? m_source.list()->GetMedia() : nullptr);
    const QString caption = m_source.columns()[size_t(m_groupColumn)].caption;
    m_entries.reserve(rows.size() + 16);

    QString current;
    int inGroup = 0;
    auto closeGroup = [&] {
        if (inGroup > 0)
            m_groups.back().label += QStringLiteral(" (%1)").arg(inGroup);
    };
    for (int sourceRow : perm) {
        const QString value = KivMp3CellText::text(*rows[size_t(sourceRow)], field);
        if (m_groups.empty() || value != current) {
            closeGroup();
            current = value;
            inGroup = 0;
            m_groups.push_back(Group{caption + QStringLiteral(" ") + (value.isEmpty() ? QStringLiteral("-") : value)});
            m_entries.push_back(-int(m_groups.size()));
        }
        m_rowOfSource[size_t(sourceRow)] = int(m_entries.size());
        m_entries.push_back(sourceRow);
        ++inGroup;
    }
    closeGroup();
}

int CKivMp3CategoryModel::sourceRow(int row) const
{
    if (row < 0 || row >= int(m_entries.size()))
        return -1;
    const int entry = m_entries[size_t(row)];
    return entry >= 0 ? entry : -1;
}

int CKivMp3CategoryModel::rowOfSource(int sourceRow) const
{
    return sourceRow >= 0 && sourceRow < int(m_rowOfSource.size()) ? m_rowOfSource[size_t(sourceRow)] : -1;
}

int CKivMp3CategoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int CKivMp3CategoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_source.columnCount();
}

QVariant CKivMp3CategoryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int entry = m_entries[size_t(index.row())];
    if (entry >= 0)
        return role == HeadingRole ? QVariant(false) : m_source.data(m_source.index(entry, index.column()), role);
    switch (role) {
    case HeadingRole:
        return true;
    case Qt::DisplayRole:
        return index.column() == m_labelColumn ? QVariant(m_groups[size_t(-entry - 1)].label) : QVariant();
    default:
        return QVariant();
    }
}

QVariant CKivMp3CategoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_source.headerData(section, orientation, role);
}

Qt::ItemFlags CKivMp3CategoryModel::flags(const QModelIndex &index) const
{
    const int row = index.isValid() ? sourceRow(index.row()) : -1;
    if (!index.isValid() || row < 0)
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    return m_source.flags(m_source.index(row, index.column()));
}

bool CKivMp3CategoryModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int row = index.isValid() ? sourceRow(index.row()) : -1;
    if (row < 0)
        return false;
    return m_source.setData(m_source.index(row, index.column()), value, role);
}
