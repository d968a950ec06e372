#pragma once

#include "browse/list/Mp3Column.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class CKivMp3ListModel;

// The category view of an MP3 list: the rows of a list model grouped by the text of one column,
// each group led by a heading row ("Artist: Nirvana (12)") that shows in the file-name column.
// Item rows show and edit what the list model shows; the groups follow the list model's changes.
class CKivMp3CategoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role : int {
        HeadingRole = Qt::UserRole + 20,  // bool: the row is a group heading
    };

    explicit CKivMp3CategoryModel(CKivMp3ListModel &source, QObject *parent = nullptr);

    CKivMp3ListModel &source() const { return m_source; }
    // Groups by the text of this column of the list model.
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }

    // The list model's row shown in row, or -1 for a heading.
    int sourceRow(int row) const;
    // The row that shows the list model's row, or -1.
    int rowOfSource(int sourceRow) const;
    int groupCount() const { return int(m_groups.size()); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void rebuild();
    void rebuildNow();

    struct Group
    {
        QString label;
    };

    CKivMp3ListModel &m_source;
    int m_groupColumn = -1;
    int m_labelColumn = -1;
    std::vector<Group> m_groups;
    std::vector<int> m_entries;          // per row: source row, or -(group index + 1) for a heading
    std::vector<int> m_rowOfSource;      // per source row: row here
};
