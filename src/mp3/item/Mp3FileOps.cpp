#include "mp3/item/Mp3FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace KivMp3FileOps {

namespace {

// Tried names before giving up: a folder holding this many copies of one name is not sane.
constexpr int kMaxCandidates = 10000;

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

// Moves from to to unless to exists. 0 on success, else the errno (EEXIST when to is taken).
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the no-replace rename: a hard link fails on an existing name as well.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    // No hard links either (FAT, some network shares): check, then rename.
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool copyByReading(int in, int out)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += put;
        }
    }
}

// The kernel's copy path first (no trip through user space, and a reflink where the file system
// offers one); a read and write loop where the kernel cannot copy between these two files.
bool copyContents(int in, int out)
{
    bool copiedAny = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (n == 0)
            return true;
        if (n > 0) {
            copiedAny = true;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (!copiedAny && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP
                           || errno == EBADF || errno == EPERM))
            return copyByReading(in, out);
        return false;
    }
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool closeChecked()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

QString LocalPath(const QString &catalogPath)
{
    QString path = catalogPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString Join(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString CandidateName(const QString &name, int n)
{
    if (n <= 1)
        return name;
    const QString number = QStringLiteral(" (%1)").arg(n);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return name + number;
    return name.left(dot) + number + name.mid(dot);
}

std::optional<QString> RenameKeeping(const QString &source, const QString &folder, const QString &name)
{
    const QByteArray from = native(source);
    struct stat st {};
    if (::lstat(from.constData(), &st) != 0)
        return std::nullopt;
    if (sameFile(from, native(Join(folder, name))))
        return name;
    for (int n = 1; n <= kMaxCandidates; ++n) {
        const QString candidate = CandidateName(name, n);
        const int result = renameNoReplace(from, native(Join(folder, candidate)));
        if (result == 0)
            return candidate;
        if (result != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> CopyKeeping(const QString &source, const QString &folder, const QString &name)
{
    Fd in(::open(native(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    for (int n = 1; n <= kMaxCandidates; ++n) {
        const QString candidate = CandidateName(name, n);
        const QByteArray target = native(Join(folder, candidate));
        Fd out(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0666));
        if (out.get() < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        const bool copied = copyContents(in.get(), out.get());
        // The time is a courtesy; a file system that cannot take it still gets the copy.
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        (void)::futimens(out.get(), times);
        if (!out.closeChecked() || !copied) {
            ::unlink(target.constData());
            return std::nullopt;
        }
        return candidate;
    }
    return std::nullopt;
}

bool MakeFolders(const QString &folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

bool IsFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace KivMp3FileOps
