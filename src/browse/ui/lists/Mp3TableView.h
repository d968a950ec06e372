#pragma once

#include "mp3/item/Mp3Item.h"

#include <QTableView>

#include <functional>
#include <vector>

// The table of an MP3 list view: uniform rows, whole-row selection, drags of the selected items as
// CKivMp3MimeData, and drops of MP3 items that come from another list.
class CKivMp3TableView : public QTableView
{
    Q_OBJECT

public:
    explicit CKivMp3TableView(QWidget *parent = nullptr);

    // Drags and drops only while the option "Drag && Drop" is on; isOn asks for it each time.
    void setDragDropOption(std::function<bool()> isOn) { m_dragDropOn = std::move(isOn); }
    bool dragDropOn() const { return m_dragDropOn && m_dragDropOn(); }
    // What a drag carries: the selected items in row order.
    void setDragItems(std::function<std::vector<CKivMp3::Ptr>()> items) { m_dragItems = std::move(items); }

Q_SIGNALS:
    // MP3 items of another list were dropped here.
    void itemsDropped(const std::vector<CKivMp3::Ptr> &items);
    // Enter on the current row (outside an edit): the row is to play.
    void enterPressed(const QModelIndex &index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool accepts(const QDropEvent *event) const;

    std::function<bool()> m_dragDropOn;
    std::function<std::vector<CKivMp3::Ptr>()> m_dragItems;
};
