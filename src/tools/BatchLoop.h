#pragma once

#include "tools/BatchTransaction.h"
#include "tools/BatchUndo.h"

#include <vector>

// The loop every batch of the tools runs: releases the player's file, starts the undo record,
// goes through the jobs with progress and a stop between files, counts and reports each file's
// outcome, and commits. perJob(job, transaction) does one file and records its undo entry.
template <typename Job, typename PerJob>
KivBatchSummary KivRunBatch(const std::vector<Job> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                            CKivBatchUndo *undo, CKivBatchUndo::Kind kind, PerJob perJob)
{
    KivBatchSummary summary;
    if (hooks.releaseFile)
        hooks.releaseFile();
    if (undo)
        undo->Begin(kind);
    const int total = int(jobs.size());
    CKivBatchTransaction transaction(db);
    for (int i = 0; i < total; ++i) {
        if (hooks.progress && !hooks.progress(i, total)) {
            summary.cancelled = true;
            break;
        }
        const KivFileOutcome outcome = perJob(jobs[std::size_t(i)], transaction);
        transaction.FileDone();
        summary.count(outcome.status);
        if (hooks.report)
            hooks.report(outcome);
    }
    transaction.Flush();
    if (hooks.progress)
        hooks.progress(total, total);
    return summary;
}
