#pragma once

#include "tools/BatchRows.h"
#include "tools/BatchUndo.h"

#include <vector>

// The loop every batch of the tools runs: releases the player's file, starts the undo record,
// goes through the jobs with progress and a stop between files, and writes the catalog rows of
// every chunk of files together (CKivBatchRows). Each file's outcome is counted, recorded for undo
// and reported when its chunk is written, in the order of the jobs; a stop writes the rows of the
// files done so far. perJob(job) does one file's disk work and returns its KivBatchStep.
template <typename Job, typename PerJob>
KivBatchSummary KivRunBatch(const std::vector<Job> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                            CKivBatchUndo *undo, CKivBatchUndo::Kind kind, PerJob perJob, int chunk = CKivBatchRows::DefaultChunk)
{
    KivBatchSummary summary;
    if (hooks.releaseFile)
        hooks.releaseFile();
    if (undo)
        undo->Begin(kind);
    auto settle = [&](std::vector<KivBatchStep> steps) {
        for (const KivBatchStep &step : steps) {
            if (undo && step.record)
                undo->Record(step.outcome.item, step.before);
            summary.count(step.outcome.status);
            if (hooks.report)
                hooks.report(step.outcome);
        }
    };
    const int total = int(jobs.size());
    CKivBatchRows rows(db, chunk);
    for (int i = 0; i < total; ++i) {
        if (hooks.progress && !hooks.progress(i, total)) {
            summary.cancelled = true;
            break;
        }
        rows.Add(perJob(jobs[std::size_t(i)]));
        if (rows.Full())
            settle(rows.Flush());
    }
    settle(rows.Flush());
    if (hooks.progress)
        hooks.progress(total, total);
    return summary;
}
