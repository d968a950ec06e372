#include "tools/RenameBatch.h"

#include "tools/BatchLoop.h"
#include "tools/RenameRules.h"

#include <QHash>

namespace KivRenameBatch {

std::vector<bool> Collisions(const std::vector<KivRenameJob> &jobs)
{
    QHash<QString, int> uses;
    auto target = [](const KivRenameJob &job) {
        return job.item->GetMediumname() + u'\n' + job.item->GetSubPath() + u'\n'
             + KivRenameRules::withExtension(job.preview);
    };
    for (const KivRenameJob &job : jobs) {
        if (KivRenameRules::unusableReason(job.preview).isEmpty())
            ++uses[target(job)];
    }
    std::vector<bool> collides;
    collides.reserve(jobs.size());
    for (const KivRenameJob &job : jobs)
        collides.push_back(KivRenameRules::unusableReason(job.preview).isEmpty() && uses.value(target(job)) > 1);
    return collides;
}

KivFileOutcome Preview(const KivRenameJob &job, bool collides)
{
    if (const QString reason = KivRenameRules::unusableReason(job.preview); !reason.isEmpty())
        return {job.item, KivFileOutcome::Failed, reason};
    const QString name = KivRenameRules::withExtension(job.preview);
    if (name == job.item->GetFilename())
        return {job.item, KivFileOutcome::Unchanged, {}};
    QString detail = job.item->GetFilename() + QStringLiteral(" -> ") + name;
    if (collides)
        detail += QStringLiteral(" (same name as another file: numbered)");
    return {job.item, KivFileOutcome::Ok, detail};
}

KivBatchSummary Run(const std::vector<KivRenameJob> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                    CKivBatchUndo *undo, int chunk)
{
    return KivRunBatch(jobs, db, hooks, undo, CKivBatchUndo::Kind::Names, [](const KivRenameJob &job) {
        KivBatchStep step;
        step.outcome.item = job.item;
        if (const QString reason = KivRenameRules::unusableReason(job.preview); !reason.isEmpty()) {
            step.outcome.status = KivFileOutcome::Failed;
            step.outcome.detail = reason;
            return step;
        }
        std::optional<CKivMp3Data> before = job.item->RenameFile(job.preview);
        if (!before) {
            step.outcome.status = KivFileOutcome::Failed;
            step.outcome.detail = QStringLiteral("cannot rename");
            return step;
        }
        // Even a name that stays writes the row, as a rename by itself does.
        step.rowWaits = true;
        step.refused = QStringLiteral("cannot rename");
        if (job.item->GetFilename() != before->m_Filename) {
            step.outcome.status = KivFileOutcome::Ok;
            step.outcome.detail = before->m_Filename + QStringLiteral(" -> ") + job.item->GetFilename();
            step.record = true;
        }
        step.before = std::move(*before);
        return step;
    }, chunk);
}

} // namespace KivRenameBatch
