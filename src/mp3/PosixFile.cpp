#include "mp3/PosixFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CKivPosixFile::~CKivPosixFile()
{
    close();
}

bool CKivPosixFile::open(const QString &path, Mode mode)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return false;
    // O_NONBLOCK only matters for pipes and devices, which are refused below anyway.
    const int flags = (mode == Mode::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd;
    do {
        fd = ::open(name.constData(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = qint64(st.st_size);
    return true;
}

bool CKivPosixFile::close()
{
    if (m_fd < 0)
        return false;
    const int rc = ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    return rc == 0;
}

qint64 CKivPosixFile::readAt(qint64 pos, char *data, qint64 size)
{
    if (m_fd < 0 || pos < 0 || size < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(m_fd, data + done, size_t(size - done), off_t(pos + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return done > 0 ? done : -1;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

qint64 CKivPosixFile::writeAt(qint64 pos, const char *data, qint64 size)
{
    if (m_fd < 0 || pos < 0 || size < 0)
        return -1;
    ssize_t n;
    do {
        n = ::pwrite(m_fd, data, size_t(size), off_t(pos));
    } while (n < 0 && errno == EINTR);
    return n;
}

bool CKivPosixFile::truncate(qint64 size)
{
    if (m_fd < 0 || size < 0)
        return false;
    int rc;
    do {
        rc = ::ftruncate(m_fd, off_t(size));
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

void CKivPosixFile::willNeed(qint64 pos, qint64 size) const
{
    if (m_fd >= 0 && pos >= 0 && size > 0)
        ::posix_fadvise(m_fd, off_t(pos), off_t(size), POSIX_FADV_WILLNEED);
}
