#pragma once

#include "catalog/Mp3RowReader.h"
#include "catalog/SqlDialect.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CKivSettings;
class QThread;

// Reads the rows of list queries on a thread of its own, through a catalog connection of its own that
// takes large results from the driver as they arrive (CKivDatabase::SetLargeReads). The thread that
// asked takes the rows as they come, so it turns rows into items while the next ones are read, and a
// refill of 100,000 rows holds up nobody: the reading goes on while the user interface waits for its
// next step. The connection reads what is committed; a caller inside a transaction reads on its own
// connection instead. One read at a time; a new Start ends the one before.
class CKivMp3RowReadAhead
{
public:
    explicit CKivMp3RowReadAhead(CKivSettings &settings);
    ~CKivMp3RowReadAhead();
    CKivMp3RowReadAhead(const CKivMp3RowReadAhead &) = delete;
    CKivMp3RowReadAhead &operator=(const CKivMp3RowReadAhead &) = delete;

    // Runs the query on the reading thread's connection to dataSource (opened anew whenever the
    // caller's connection has been, as connectionSerial tells) with the caller's dialect, reading the given columns (empty: all); returns once the statement
    // runs there, false when it could not (lastError says why; nothing is noted anywhere else).
    bool Start(const QString &dataSource, quint64 connectionSerial, const CKivSqlDialect &dialect,
               const CKivMp3sQuery &query, const QStringList &columns);
    // Hands the rows that have arrived to sink, in query order, and returns More once the budget is
    // used up, rows or not (a sort before the first row keeps nobody waiting); a budget of 0 hands on
    // at least one block. Without a budget (negative) it returns when all rows are handed on.
    CKivMp3RowReader::Step Take(const CKivMp3RowReader::Sink &sink, qint64 budgetNs);
    // Ends the read: the reading thread stops at its next block and lets go of the statement.
    void Cancel();
    QString lastError() const;

private:
    enum class State { Idle, Starting, Reading, Done, Failed };
    static constexpr size_t BlockRows = size_t(CKivMp3RowReader::DefaultBlockRows);
    struct Job;

    void run();
    void read(CKivDatabase &db, CKivMp3RowReader &reader, const Job &job);
    void push(std::vector<CKivMp3sRow> &block);
    void finish(State state, const QString &error);
    // Ends the read under way and waits until the thread has let go of it.
    void stopRead(std::unique_lock<std::mutex> &lock);

    CKivSettings &m_settings;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::unique_ptr<Job> m_job;       // the read asked for, until the thread takes it
    State m_state = State::Idle;
    bool m_busy = false;             // the thread works on a read
    bool m_quit = false;
    std::atomic<bool> m_cancel{false};
    std::deque<std::vector<CKivMp3sRow>> m_blocks;  // rows read and not yet taken
    QString m_lastError;
    std::unique_ptr<QThread> m_thread;
};
