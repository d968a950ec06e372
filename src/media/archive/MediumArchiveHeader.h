#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The 304-byte header of a medium archive (*.mar): the medium's name, drive and path, the CD's
// identification and the number of item records that follow. Texts are zero-filled slots (a text
// filling its slot has no ending zero); numbers are 32-bit little-endian.
struct CKivMediumArchiveHeader
{
    static constexpr int Size = 304;

    QString name;
    QString drive;
    QString path;
    QString volumeSize;
    qint32 count = 0;
    qint32 driveType = 0;
    bool hasVolumeSize = false;
    bool isCd = false;

    QByteArray Block() const;
    // Nothing when fewer than Size bytes are given. Texts are read up to their first zero or the end
    // of their slot, without trailing blanks.
    static std::optional<CKivMediumArchiveHeader> Read(const QByteArray &bytes);
};
