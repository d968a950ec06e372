#include "catalog/Mp3RowReadAhead.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"

#include <QElapsedTimer>
#include <QThread>

#include <chrono>

struct CKivMp3RowReadAhead::Job
{
    QString dataSource;
    quint64 serial = 0;
    CKivSqlDialect dialect;
    CKivMp3sQuery query;
    QStringList columns;
};

CKivMp3RowReadAhead::CKivMp3RowReadAhead(CKivSettings &settings) : m_settings(settings) {}

CKivMp3RowReadAhead::~CKivMp3RowReadAhead()
{
    if (!m_thread)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_cancel = true;
    }
    m_changed.notify_all();
    m_thread->wait();
}

void CKivMp3RowReadAhead::run()
{
    // The connection belongs to this thread: opened, used and closed here only.
    CKivDatabase db(m_settings);
    db.SetLargeReads(true);
    CKivMp3RowReader reader(db);
    quint64 serial = 0;
    for (;;) {
        std::unique_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_quit || m_job; });
            if (m_quit)
                return;
            job = std::move(m_job);
            m_busy = true;
        }
        // The caller's connection was opened anew (a new catalog, perhaps under the same name).
        if (job->serial != serial)
            db.Close();
        serial = job->serial;
        read(db, reader, *job);
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_changed.notify_all();
    }
}

void CKivMp3RowReadAhead::read(CKivDatabase &db, CKivMp3RowReader &reader, const Job &job)
{
    if (!db.ConnectTo(job.dataSource)) {
        finish(State::Failed, QStringLiteral("no reading connection to ") + job.dataSource);
        return;
    }
    db.AdoptDialect(job.dialect);
    reader.SetColumns(job.columns);
    if (!reader.Open(job.query)) {
        const QString error = reader.lastError();
        // A statement the database refused leaves the connection as good as it was; anything else
        // (a lost server) is opened anew for the next read.
        if (!reader.lastFailedInDatabase())
            db.Close();
        finish(State::Failed, error);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_state = State::Reading;
    }
    m_changed.notify_all();

    std::vector<CKivMp3sRow> block;
    block.reserve(BlockRows);
    const auto sink = [&](CKivMp3sRow &&row) {
        block.push_back(std::move(row));
        if (block.size() >= BlockRows)
            push(block);
    };
    // Short steps, so a cancel is seen soon.
    constexpr qint64 stepNs = 10'000'000;
    CKivMp3RowReader::Step step = CKivMp3RowReader::Step::More;
    while (step == CKivMp3RowReader::Step::More && !m_cancel) {
        step = reader.Fetch(sink, stepNs);
        push(block);
    }
    if (step == CKivMp3RowReader::Step::More) {
        reader.Close();
        finish(State::Done, QString());
        return;
    }
    if (step == CKivMp3RowReader::Step::Failed) {
        db.Close();
        finish(State::Failed, reader.lastError());
        return;
    }
    finish(State::Done, QString());
}

void CKivMp3RowReadAhead::push(std::vector<CKivMp3sRow> &block)
{
    if (block.empty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_blocks.push_back(std::move(block));
    }
    m_changed.notify_all();
    block = {};
    block.reserve(BlockRows);
}

void CKivMp3RowReadAhead::finish(State state, const QString &error)
{
    {
        std::lock_guard lock(m_mutex);
        m_state = state;
        m_lastError = error;
    }
    m_changed.notify_all();
}

void CKivMp3RowReadAhead::stopRead(std::unique_lock<std::mutex> &lock)
{
    m_cancel = true;
    m_changed.wait(lock, [this] { return !m_busy && !m_job; });
    m_cancel = false;
    m_blocks.clear();
    m_state = State::Idle;
}

bool CKivMp3RowReadAhead::Start(const QString &dataSource, quint64 connectionSerial,
                                const CKivSqlDialect &dialect, const CKivMp3sQuery &query,
                                const QStringList &columns)
{
    if (!m_thread) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->setObjectName(QStringLiteral("melvora-list-read"));
        m_thread->start();
    }
    std::unique_lock lock(m_mutex);
    stopRead(lock);
    m_lastError.clear();
    m_state = State::Starting;
    m_job = std::make_unique<Job>(Job{dataSource, connectionSerial, dialect, query, columns});
    lock.unlock();
    m_changed.notify_all();
    lock.lock();
    m_changed.wait(lock, [this] { return m_state != State::Starting; });
    return m_state != State::Failed;
}

CKivMp3RowReader::Step CKivMp3RowReadAhead::Take(const CKivMp3RowReader::Sink &sink, qint64 budgetNs)
{
    QElapsedTimer timer;
    timer.start();
    bool handedOn = false;
    for (;;) {
        std::vector<CKivMp3sRow> block;
        {
            std::unique_lock lock(m_mutex);
            const auto ready = [this] { return !m_blocks.empty() || m_state == State::Done || m_state == State::Failed || m_state == State::Idle; };
            if (budgetNs < 0 || (budgetNs == 0 && !handedOn)) {
                m_changed.wait(lock, ready);
            } else {
                const qint64 left = budgetNs - timer.nsecsElapsed();
                if (left <= 0 || !m_changed.wait_for(lock, std::chrono::nanoseconds(left), ready))
                    return CKivMp3RowReader::Step::More;
            }
            if (m_blocks.empty()) {
                // Finished, and every row handed on.
                if (m_state == State::Done)
                    return CKivMp3RowReader::Step::Done;
                if (m_state == State::Failed)
                    return CKivMp3RowReader::Step::Failed;
                // Idle: no read was started, or it was cancelled.
                if (m_lastError.isEmpty())
                    m_lastError = QStringLiteral("no read under way");
                return CKivMp3RowReader::Step::Failed;
            }
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
        }
        for (CKivMp3sRow &row : block)
            sink(std::move(row));
        handedOn = true;
        if (budgetNs >= 0 && timer.nsecsElapsed() >= budgetNs)
            return CKivMp3RowReader::Step::More;
    }
}

void CKivMp3RowReadAhead::Cancel()
{
    if (!m_thread)
        return;
    std::unique_lock lock(m_mutex);
    stopRead(lock);
}

QString CKivMp3RowReadAhead::lastError() const
{
    std::lock_guard lock(m_mutex);
    return m_lastError;
}
