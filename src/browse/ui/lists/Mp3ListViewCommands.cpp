// The commands of the MP3 list views on their selected rows, and their context menu.
#include "browse/ui/lists/Mp3ListView.h"

#include "core/UserInterface.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/list/Mp3FileDelete.h"
#include "browse/ui/lists/Mp3ListPrint.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "mp3/item/DiskDelete.h"

#include <QHeaderView>
#include <QMenu>
#include <QSet>
#include <QVariantMap>

namespace {

QString invalidOperationText()
{
    return QStringLiteral("Sie haben versucht eine ungültige Dateioperation\ndurchzuführen. Der Vorgang wird abgebrochen.");
}

} // namespace

bool CKivMp3ListView::queryCommand(int id, State &state) const
{
    state = State();
    const bool hasList = m_model->list() != nullptr;
    const bool hasSelection = m_table->selectionModel() && m_table->selectionModel()->hasSelection();
    switch (id) {
    case CmdSelectAll:
        state.enabled = m_model->rowCount() > 0;
        return true;
    case CmdClearSelection:
        state.enabled = hasSelection;
        return true;
    case CmdClearList:
        state.enabled = hasList;
        return true;
    case CmdDeleteFiles:
    case CmdToPlaylist:
        state.enabled = hasList && hasSelection;
        return true;
    case CmdPrint:
    case CmdPrintPreview:
        return true;
    case CmdSortAscending:
    case CmdSortDescending:
        state.enabled = m_model->rowCount() > 0 && sortColumnForCommand() >= 0;
        return true;
    default:
        break;
    }
    if (id >= CmdRating1 && id <= CmdRating5) {
        state.enabled = hasList && hasSelection;
        return true;
    }
    return queryOwnCommand(id, state);
}

void CKivMp3ListView::onCommand(int id)
{
    switch (id) {
    case CmdSelectAll:
        m_table->selectAll();
        return;
    case CmdClearSelection:
        m_table->clearSelection();
        return;
    case CmdClearList:
        clearList();
        return;
    case CmdDeleteFiles:
        deleteFiles();
        return;
    case CmdToPlaylist:
        toPlaylist();
        return;
    case CmdPrint:
        print(false);
        return;
    case CmdPrintPreview:
        print(true);
        return;
    case CmdSortAscending:
    case CmdSortDescending:
        sortRows(sortColumnForCommand(), id == CmdSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        return;
    default:
        break;
    }
    if (id >= CmdRating1 && id <= CmdRating5) {
        rate(id - CmdRating1 + 1);
        return;
    }
    onOwnCommand(id);
}

bool CKivMp3ListView::queryOwnCommand(int, State &) const
{
    return false;
}

bool CKivMp3ListView::onOwnCommand(int)
{
    return false;
}

std::unique_ptr<QMenu> CKivMp3ListView::buildContextMenu()
{
    return menuOf({
        {CmdRating1, CmdRating1 + 1, CmdRating1 + 2, CmdRating1 + 3, CmdRating5},
        {CmdToPlaylist, CmdTagEditor1, CmdTagEditor2, CmdRename, CmdUndo},
        {CmdClearList, CmdDeleteFiles},
        {CmdSelectAll, CmdClearSelection, CmdSortAscending, CmdSortDescending},
        {CmdAnsichtA, CmdAnsichtB, CmdAnsichtC, CmdAnsichtD, CmdCategory, CmdBackground},
        {CmdOptionDragDrop, CmdOptionQuickImport, CmdOptionLabelEdit},
    });
}

std::unique_ptr<QMenu> CKivMp3ListView::menuOf(std::initializer_list<std::initializer_list<int>> groups)
{
    m_commands.updateStates();
    auto menu = std::make_unique<QMenu>(this);
    for (const auto &group : groups) {
        if (!menu->isEmpty())
            menu->addSeparator();
        for (int id : group) {
            if (QAction *action = m_commands.action(id))
                menu->addAction(action);
        }
    }
    return menu->isEmpty() ? nullptr : std::move(menu);
}

int CKivMp3ListView::sortColumnForCommand() const
{
    if (m_model->sortColumn() >= 0)
        return m_model->sortColumn();
    // The first column the user sees that shows text.
    const QHeaderView *header = m_table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical) && header->sectionSize(logical) > 0
            && m_model->columns()[size_t(logical)].kind == KivMp3Column::Kind::Text)
            return logical;
    }
    return -1;
}

void CKivMp3ListView::rate(int rating)
{
    if (!m_model->list())
        return;
    CKivDatabase &db = m_model->list()->Database();
    for (const CKivMp3::Ptr &item : selectedItems())
        item->SetRating(rating, db);
    m_model->repaint();
}

void CKivMp3ListView::clearList()
{
    if (CKivMp3Liste *list = m_model->list()) {
        list->Reset();
        list->AnnounceReplaced();
    }
}

void CKivMp3ListView::toPlaylist()
{
    if (!m_model->list())
        return;
    const std::vector<CKivMp3::Ptr> items = selectedItems();
    if (items.empty())
        return;
    CKivMp3Liste collection(m_model->list()->Database());
    for (const CKivMp3::Ptr &item : items)
        collection.Append(item);
    m_doc.UpdateAllViews(HintToPlaylist, QVariant::fromValue(static_cast<QObject *>(&collection)));
}

void CKivMp3ListView::deleteFiles()
{
    if (!m_model->list())
        return;
    const std::vector<CKivMp3::Ptr> items = selectedItems();
    if (items.empty() || !KivDiskDelete::Confirm())
        return;
    // The player lets go of a file it holds before the file goes.
    m_doc.ReleaseFile();
    KivMp3FileDelete::run(items, m_model->list()->Database(), [this](const CKivMp3::Ptr &item) {
        m_model->removeItem(item.get());
        announceFile(item, QStringLiteral("removed"), QString());
    });
    emitStatusPanes();
}

void CKivMp3ListView::announceFile(const CKivMp3::Ptr &item, const QString &kind, const QString &oldName)
{
    QVariantMap change;
    change.insert(QStringLiteral("kind"), kind);
    change.insert(QStringLiteral("medium"), item->GetMediumname());
    change.insert(QStringLiteral("subPath"), item->GetSubPath());
    change.insert(QStringLiteral("filename"), item->GetFilename());
    change.insert(QStringLiteral("path"), item->FullPath());
    if (!oldName.isEmpty())
        change.insert(QStringLiteral("oldFilename"), oldName);
    m_doc.UpdateAllViews(HintFileOperation, change);
}

void CKivMp3ListView::takeDrop(const std::vector<CKivMp3::Ptr> &items)
{
    std::vector<CKivMp3::Ptr> fresh;
    if (m_model->list()) {
        QSet<const CKivMp3 *> shown;
        shown.reserve(qsizetype(m_model->rows().size()));
        for (const CKivMp3::Ptr &row : m_model->rows())
            shown.insert(row.get());
        for (const CKivMp3::Ptr &item : items) {
            if (item && !item->IsDeleted() && !shown.contains(item.get())) {
                shown.insert(item.get());
                fresh.push_back(item);
            }
        }
    }
    if (fresh.empty()) {
        kivUi().showMessage(invalidOperationText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return;
    }
    m_model->appendItems(fresh);
    emitStatusPanes();
}

void CKivMp3ListView::print(bool preview)
{
    CKivMp3ListPrint::run(*m_table, preview, this);
}
