#pragma once

#include "mp3/ByteSource.h"

#include <QString>

// A regular file opened through the POSIX calls, closed when the object goes. Opening refuses
// directories, devices and pipes (and never blocks on a pipe), so a hostile name cannot hang a scan.
// Positions and sizes are 64-bit.
class CKivPosixFile final : public IKivByteSource
{
public:
    enum class Mode { Read, ReadWrite };

    CKivPosixFile() = default;
    ~CKivPosixFile() override;
    CKivPosixFile(const CKivPosixFile &) = delete;
    CKivPosixFile &operator=(const CKivPosixFile &) = delete;

    // Opens path; false when it does not exist, cannot be opened in mode or is no regular file.
    bool open(const QString &path, Mode mode);
    // Closes the file; false when the system reports an error on closing (or nothing was open).
    bool close();
    bool isOpen() const { return m_fd >= 0; }

    // Size in bytes at the time of opening.
    qint64 size() const { return m_size; }

    qint64 readAt(qint64 pos, char *data, qint64 size) override;

    // One write of size bytes at pos (repeated only when interrupted before writing anything).
    // Returns the number of bytes written, or -1.
    qint64 writeAt(qint64 pos, const char *data, qint64 size);

    bool truncate(qint64 size);

    // Asks the system to start reading size bytes at pos now, without waiting for them: a later read
    // there finds them under way or done. Only a hint; nothing happens when it is not taken.
    void willNeed(qint64 pos, qint64 size) const;

private:
    int m_fd = -1;
    qint64 m_size = 0;
};
