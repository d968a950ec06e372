#pragma once

#include "playback/MediaBackend.h"

#include <QMediaPlayer>

class QAudioOutput;

// The back end on Qt Multimedia: a QMediaPlayer with a QAudioOutput. The volume in hundredths of a
// decibel becomes the output's linear gain (-10000 silent, 0 full).
class CKivQtMediaBackend : public IKivMediaBackend
{
    Q_OBJECT

public:
    explicit CKivQtMediaBackend(QObject *parent = nullptr);
    ~CKivQtMediaBackend() override;

    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    QString FileName() const override { return m_fileName; }
    void SetFileName(const QString &path) override;
    int Volume() const override { return m_volume; }
    void SetVolume(int volume) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    bool HasFailed() const override { return m_failed; }

    // The linear gain of a volume in hundredths of a decibel.
    static float GainOf(int volume);
    QMediaPlayer &Player() const { return *m_player; }

private:
    void statusChanged(QMediaPlayer::MediaStatus status);

    QMediaPlayer *m_player;
    QAudioOutput *m_output;
    QString m_fileName;
    int m_volume = 0;
    bool m_failed = false;
    bool m_ended = false;
    // A position asked for before the file was loaded, applied once it is.
    double m_pendingPosition = -1.0;
};
