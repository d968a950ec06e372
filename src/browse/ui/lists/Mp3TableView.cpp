#include "browse/ui/lists/Mp3TableView.h"

#include "browse/Mp3MimeData.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>

CKivMp3TableView::CKivMp3TableView(QWidget *parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWordWrap(false);
    setShowGrid(false);  // the delegate draws the grid lines the settings ask for
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void CKivMp3TableView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState
        && currentIndex().isValid()) {
        Q_EMIT enterPressed(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CKivMp3TableView::startDrag(Qt::DropActions supportedActions)
{
    if (!dragDropOn() || !m_dragItems)
        return;
    std::vector<CKivMp3::Ptr> items = m_dragItems();
    if (items.empty())
        return;
    const int count = int(items.size());
    auto *mime = new CKivMp3MimeData(std::move(items));

    // The drag image: how many files travel.
    const QString label = count == 1 ? mime->items().front()->GetFilename() : QStringLiteral("%1 Mp3's").arg(count);
    const QFontMetrics metrics(font());
    QPixmap pm(metrics.horizontalAdvance(label) + 12, metrics.height() + 6);
    pm.fill(QColor(255, 255, 225, 220));
    {
        QPainter p(&pm);
        p.setPen(Qt::black);
        p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
        p.drawText(pm.rect(), Qt::AlignCenter, label);
    }
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(pm);
    drag->exec(supportedActions | Qt::CopyAction, Qt::CopyAction);
}

bool CKivMp3TableView::accepts(const QDropEvent *event) const
{
    // Rows dragged inside this very list go nowhere.
    return dragDropOn() && event->source() != this && CKivMp3MimeData::from(event->mimeData());
}

void CKivMp3TableView::dragEnterEvent(QDragEnterEvent *event)
{
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKivMp3TableView::dragMoveEvent(QDragMoveEvent *event)
{
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKivMp3TableView::dropEvent(QDropEvent *event)
{
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    const CKivMp3MimeData *mime = CKivMp3MimeData::from(event->mimeData());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT itemsDropped(mime->items());
}
