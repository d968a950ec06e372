#pragma once

#include "browse/Mp3Liste.h"
#include "browse/list/Mp3Column.h"
#include "mp3/item/Mp3Item.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <functional>
#include <vector>

// The rows of an MP3 list view over one CKivMp3Liste: one row per item, the columns of the standard
// or the TV list. Texts are computed when asked for; a refill copies only the item pointers. Sorting
// reorders the rows, never the list. Edits go through the item (tag fields into the file first) and
// only while label editing is on; an edit the item refuses leaves the old text.
class CKivMp3ListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role : int {
        ImageKeyRole = Qt::UserRole + 1,  // int: image key of the "T", "S", "N" columns, -1 for none
        FieldRole,                        // int: KivMp3Column::Field of the column
    };
    enum class Layout { Standard, Tv, Playlist };

    explicit CKivMp3ListModel(Layout layout, QObject *parent = nullptr);
    ~CKivMp3ListModel() override;

    Layout layout() const { return m_layout; }
    const std::vector<KivMp3Column::Def> &columns() const { return *m_columns; }
    KivMp3Column::Field field(int column) const;
    // The column showing field, or -1.
    int columnOf(KivMp3Column::Field field) const;

    // Shows the items of list (nullptr: no rows) and follows it on refill(). When the list goes
    // away, the model lets go of it and of its rows at once.
    void setList(CKivMp3Liste *list);
    CKivMp3Liste *list() const { return m_list; }
    // Takes the list's items again in list order (items removed from disk are left out); the sort
    // is cleared.
    void refill();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;

    const std::vector<CKivMp3::Ptr> &rows() const { return m_rows; }
    CKivMp3::Ptr item(int row) const;
    // The row of item, or -1.
    int rowOf(const CKivMp3 *item) const;

    // A header click: ascending on a new column, then the other way on each further click.
    void sortByHeader(int column);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    void setLabelEdit(bool on) { m_labelEdit = on; }
    // Called before an edit writes a tag into a file or renames it.
    void setBeforeFileChange(std::function<void()> hook) { m_beforeFileChange = std::move(hook); }
    bool labelEdit() const { return m_labelEdit; }
    // The player's current row and whether it plays (the "T" column shows it).
    void setPlaying(const CKivMp3 *item, bool playing);

    // Appends items to the list and to the rows.
    void appendItems(const std::vector<CKivMp3::Ptr> &items);
    // Takes the row of item away (the list keeps it).
    void removeItem(const CKivMp3 *item);
    // Takes away the rows whose files were removed, and repaints the others.
    void updateAfterFileOperation();
    // Repaints every row (a rating or a file changed).
    void repaint();

Q_SIGNALS:
    // The file of item got a new name through an edit of the file-name column.
    void fileRenamed(const CKivMp3::Ptr &item, const QString &oldName, const QString &newName);

private:
    bool applyEdit(CKivMp3 &item, KivMp3Column::Field field, const QString &text);
    void listDestroyed();
    // Takes the items a load in steps appended to the list.
    void takeAppended();

    Layout m_layout;
    const std::vector<KivMp3Column::Def> *m_columns;
    QPointer<CKivMp3Liste> m_list;
    QMetaObject::Connection m_listGone;
    QMetaObject::Connection m_listAppended;
    int m_listSeen = 0;  // items of the list the rows have taken
    std::vector<CKivMp3::Ptr> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_labelEdit = false;
    const CKivMp3 *m_playingItem = nullptr;
    bool m_playing = false;
    std::function<void()> m_beforeFileChange;
};
