#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

#include <functional>

// What a batch of the tag and renaming tools says about one file.
struct KivFileOutcome
{
    enum Status { Ok, Unchanged, NoMatch, Failed };

    CKivMp3::Ptr item;
    Status status = Unchanged;
    // What changed ("Album: Old -> New; Title: A -> B"), or why it failed.
    QString detail;

    static QString StatusText(Status status);
};

// The counts of a finished batch.
struct KivBatchSummary
{
    int ok = 0;
    int unchanged = 0;
    int noMatch = 0;
    int failed = 0;
    bool cancelled = false;

    void count(KivFileOutcome::Status status);
    // Tells the user how many files could not be changed (nothing when all could).
    void ReportFailures() const;
};

// How a batch talks to its caller: the player lets go of its file first; progress is asked before
// every file (false stops the batch between two files); every file's outcome is reported.
struct KivBatchHooks
{
    std::function<void()> releaseFile;
    std::function<bool(int done, int total)> progress;
    std::function<void(const KivFileOutcome &)> report;
};
