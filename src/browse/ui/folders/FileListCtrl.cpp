#include "browse/ui/folders/FileListCtrl.h"

#include "browse/MelvoraDoc.h"
#include "browse/ui/folders/FolderCommands.h"
#include "browse/ui/folders/FolderEntryMimeData.h"
#include "browse/ui/folders/FolderImages.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QListView>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

// The file list's rows travel as folder entries while "Drag && Drop" is on.
class CKivFileListCtrl::DragModel : public CKivFileListModel
{
public:
    DragModel(CMelvoraDoc &doc, QObject *parent)
        : CKivFileListModel(doc.GetDatabase(), 0, parent)
        , m_doc(doc)
    {
    }

    QStringList mimeTypes() const override { return {CKivFolderEntryMimeData::mimeType()}; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        if (m_doc.GetDragDrop() == 0)
            return nullptr;
        std::vector<CKivFolderEntry::Ptr> entries;
        for (const QModelIndex &index : indexes) {
            if (index.column() == 0)
                entries.push_back(EntryAt(index.row()));
        }
        return new CKivFolderEntryMimeData(std::move(entries));
    }

private:
    CMelvoraDoc &m_doc;
};

CKivFileListCtrl::CKivFileListCtrl(CMelvoraDoc &doc, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_model(std::make_unique<DragModel>(doc, this))
    , m_stack(new QStackedWidget(this))
    , m_icons(new QListView(m_stack))
    , m_details(new QTreeView(m_stack))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_stack->addWidget(m_icons);
    m_stack->addWidget(m_details);
    m_icons->setAccessibleName(QStringLiteral("Ordner und Dateien"));
    m_details->setAccessibleName(QStringLiteral("Ordner und Dateien"));
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setUniformRowHeights(true);
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_icons), static_cast<QAbstractItemView *>(m_details)}) {
        view->setModel(m_model.get());
        view->setItemDelegate(new CKivFolderIconDelegate(CKivFileListModel::ImageRole, view));
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setDragEnabled(true);
        view->setAcceptDrops(true);
        view->setDragDropMode(QAbstractItemView::DragDrop);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex &index) { Q_EMIT entryActivated(m_model->EntryAt(index.row())); });
        connect(view, &QAbstractItemView::clicked, this, [this] { Q_EMIT clicked(); });
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &pos) {
            Q_EMIT contextMenuRequested(view->viewport()->mapToGlobal(pos));
        });
    }
    // The name column fits the names shown; the user may still drag it wider or narrower.
    const auto fitNames = [this] { m_details->resizeColumnToContents(CKivFileListModel::ColName); };
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, fitNames);
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, fitNames);
    connect(m_model.get(), &QAbstractItemModel::dataChanged, this, fitNames);
    // Both modes share one selection.
    m_icons->setSelectionModel(m_details->selectionModel());
    m_model->SetRenameHandler([this](const CKivFolderEntry::Ptr &entry, const QString &name) {
        return KivFolderCommands::Rename(m_doc, entry, name);
    });
    SetMode(Details);
}

CKivFileListCtrl::~CKivFileListCtrl() = default;

CKivFileListModel &CKivFileListCtrl::Model()
{
    return *m_model;
}

QAbstractItemView *CKivFileListCtrl::ActiveView() const
{
    return m_mode == Details ? static_cast<QAbstractItemView *>(m_details) : m_icons;
}

void CKivFileListCtrl::SetMode(Mode mode)
{
    m_mode = mode;
    if (mode == Details) {
        m_stack->setCurrentWidget(m_details);
        return;
    }
    m_icons->setViewMode(mode == LargeIcons ? QListView::IconMode : QListView::ListMode);
    m_icons->setIconSize(mode == LargeIcons ? QSize(32, 32) : QSize(16, 16));
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setWrapping(mode == LargeIcons);
    m_icons->setDragDropMode(QAbstractItemView::DragDrop);
    m_stack->setCurrentWidget(m_icons);
}

void CKivFileListCtrl::SetGridLines(bool on)
{
    m_details->setAlternatingRowColors(on);
}

std::vector<CKivFolderEntry::Ptr> CKivFileListCtrl::SelectedEntries() const
{
    std::vector<CKivFolderEntry::Ptr> entries;
    QModelIndexList rows = m_details->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows)
        entries.push_back(m_model->EntryAt(index.row()));
    return entries;
}

CKivFolderEntry::Ptr CKivFileListCtrl::dropTarget(QAbstractItemView *view, const QPoint &pos) const
{
    const CKivFolderEntry::Ptr under = m_model->EntryAt(view->indexAt(pos).row());
    if (under && (under->IsFolder() || under->IsMedium()))
        return under;
    return m_model->Current();
}

bool CKivFileListCtrl::eventFilter(QObject *watched, QEvent *event)
{
    QAbstractItemView *view = watched == m_icons->viewport() ? static_cast<QAbstractItemView *>(m_icons)
                            : watched == m_details->viewport() ? static_cast<QAbstractItemView *>(m_details)
                                                               : nullptr;
    if (!view)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (KivFolderCommands::CanDrop(m_doc, drag->mimeData()) && dropTarget(view, drag->position().toPoint()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        drop->acceptProposedAction();
        KivFolderCommands::Drop(m_doc, drop->mimeData(), dropTarget(view, drop->position().toPoint()));
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
