#pragma once

#include <QObject>
#include <QString>

// The audio back end the player drives: the seven operations of a media player control, in the
// control's units (seconds, volume in hundredths of a decibel from -10000 silent to 0 full), plus
// the two reports a back end gives on its own (end of the track, a file it cannot play).
//
// Contract the player relies on: a file starts loading when FileName is set; CurrentPosition is
// -1.0 while a file is still loading; CurrentPosition equals Duration once a track has played to
// its end; Play resumes a paused file from its position.
class IKivMediaBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IKivMediaBackend() override = default;

    virtual double CurrentPosition() const = 0;
    virtual void SetCurrentPosition(double seconds) = 0;
    virtual double Duration() const = 0;
    virtual QString FileName() const = 0;
    virtual void SetFileName(const QString &path) = 0;
    virtual int Volume() const = 0;
    virtual void SetVolume(int volume) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;

    // True when the file set last cannot be played (damaged, vanished, no decoder).
    virtual bool HasFailed() const = 0;

Q_SIGNALS:
    // The track played to its end, or the file turned out unplayable.
    void mediaEnded();
    // Playing started or the position jumped (for listeners that follow the position).
    void positionChanged();
};
