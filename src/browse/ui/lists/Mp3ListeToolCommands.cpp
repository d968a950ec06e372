// The standard list's tag and file tools on its selected rows, in list order: the two tag editors,
// the renaming dialog and "Rückgängig" for the last batch they ran.
#include "browse/ui/lists/Mp3ListeFormView.h"

#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "tools/BatchUndo.h"
#include "tools/ui/RenameDlg.h"
#include "tools/ui/TagEditorDlg.h"
#include "tools/ui/TagFromNameDlg.h"
#include "tools/ui/ToolDialogSupport.h"

#include <QProgressDialog>
#include <QVariantMap>

bool CKivMp3ListeFormView::queryToolCommand(int id, State &state) const
{
    switch (id) {
    case CmdTagEditor1:
    case CmdTagEditor2:
    case CmdRename:
        state.enabled = model().list() != nullptr && table().selectionModel() && table().selectionModel()->hasSelection();
        return true;
    case CmdUndo:
        state.enabled = model().list() != nullptr && CKivBatchUndo::Last().CanUndo();
        return true;
    default:
        return false;
    }
}

bool CKivMp3ListeFormView::onToolCommand(int id)
{
    if (id != CmdTagEditor1 && id != CmdTagEditor2 && id != CmdRename && id != CmdUndo)
        return false;
    CKivMp3Liste *list = model().list();
    if (!list)
        return true;
    CKivDatabase &db = list->Database();
    const auto release = [this] { m_doc.ReleaseFile(); };
    std::vector<CKivMp3::Ptr> items =
        id == CmdUndo || !table().selectionModel() ? std::vector<CKivMp3::Ptr>() : selectedItems();
    std::vector<QString> oldNames;
    const bool renames = id == CmdRename || (id == CmdUndo && CKivBatchUndo::Last().GetKind() == CKivBatchUndo::Kind::Names);
    bool done = false;
    switch (id) {
    case CmdTagEditor1:
        done = CKivTagEditorDlg(items, db, release, this).exec() == QDialog::Accepted;
        break;
    case CmdTagEditor2:
        done = CKivTagFromNameDlg(items, db, m_settings, release, this).exec() == QDialog::Accepted;
        break;
    case CmdRename:
        for (const CKivMp3::Ptr &item : items)
            oldNames.push_back(item->GetFilename());
        done = CKivRenameDlg(items, db, release, this).exec() == QDialog::Accepted;
        break;
    default: {
        KivBatchHooks hooks;
        hooks.report = [&](const KivFileOutcome &outcome) {
            items.push_back(outcome.item);
            oldNames.push_back(QString());
        };
        // The names before the undo are not known in advance: each outcome's item is announced anew.
        const auto progress = KivToolDialogs::progressHooks(this, CKivBatchUndo::Last().Count(),
                                                            QStringLiteral("Änderungen werden zurückgenommen..."),
                                                            release, hooks);
        CKivBatchUndo::Last().Undo(db, hooks).ReportFailures();
        done = true;
        break;
    }
    }
    if (done) {
        model().repaint();
        if (renames)
            announceRenames(items, oldNames);
        emitStatusPanes();
    }
    return true;
}

void CKivMp3ListeFormView::announceRenames(const std::vector<CKivMp3::Ptr> &items, const std::vector<QString> &oldNames)
{
    // One hint for the whole batch: every list updates its rows once, however many files changed.
    int renamed = 0;
    for (std::size_t i = 0; i < items.size() && i < oldNames.size(); ++i)
        renamed += oldNames[i].isEmpty() || oldNames[i] != items[i]->GetFilename() ? 1 : 0;
    if (renamed == 0)
        return;
    QVariantMap change;
    change.insert(QStringLiteral("kind"), QStringLiteral("renamed"));
    change.insert(QStringLiteral("count"), renamed);
    m_doc.UpdateAllViews(HintFileOperation, change);
}
