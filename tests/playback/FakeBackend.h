#pragma once

#include "playback/MediaBackend.h"
#include "playback/PlaySource.h"

#include <QStringList>

#include <utility>
#include <vector>

// A back end that plays nothing: the tests move its position, end its tracks and fail its files.
class FakeBackend : public IKivMediaBackend
{
public:
    double position = -1.0;
    double duration = 0.0;
    QString fileName;
    int volume = 0;
    bool failed = false;
    int plays = 0;
    int pauses = 0;
    int stops = 0;
    // Files that fail as soon as they are set.
    QStringList broken;
    // Duration a file gets once it is set.
    double length = 180.0;

    double CurrentPosition() const override { return position; }
    void SetCurrentPosition(double seconds) override { position = seconds; }
    double Duration() const override { return duration; }
    QString FileName() const override { return fileName; }
    void SetFileName(const QString &path) override
    {
        fileName = path;
        failed = !path.isEmpty() && broken.contains(path);
        position = path.isEmpty() || failed ? 0.0 : 0.0;
        duration = path.isEmpty() || failed ? 0.0 : length;
    }
    int Volume() const override { return volume; }
    void SetVolume(int v) override { volume = v; }
    void Play() override { ++plays; }
    void Pause() override { ++pauses; }
    void Stop() override
    {
        ++stops;
        position = 0.0;
    }
    bool HasFailed() const override { return failed; }

    // The track plays to its end, and the back end says so.
    void end()
    {
        position = duration;
        Q_EMIT mediaEnded();
    }
};

// A list of items with a play mark, as the player sees a list view.
class FakeSource : public IKivPlaySource
{
public:
    FakeSource(int kind, QString name) : m_kind(kind), m_name(std::move(name)) {}

    std::vector<CKivMp3::Ptr> items;
    int mark = -1;
    CKivPlayer *player = nullptr;
    int scrolled = 0;

    int SourceKind() const override { return m_kind; }
    QString DisplayName() const override { return m_name; }
    int RowCount() const override { return int(items.size()); }
    CKivMp3::Ptr ItemAt(int row) const override
    {
        return row >= 0 && row < RowCount() ? items[size_t(row)] : nullptr;
    }
    int MarkedRow() const override { return mark; }
    void SetMarkedRow(int row) override { mark = row; }
    CKivPlayer *GetPlayer() const override { return player; }
    void SetPlayer(CKivPlayer *p) override { player = p; }
    void EnsureMarkedVisible() override { ++scrolled; }

private:
    int m_kind;
    QString m_name;
};
