#include "ColdCorpus.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One 417-byte frame: MPEG-1 Layer III, 128 kbit/s, 44100 Hz, then filler.
QByteArray frame()
{
    QByteArray f(417, '\x55');
    f[0] = '\xff';
    f[1] = '\xfb';
    f[2] = '\x90';
    f[3] = '\x00';
    return f;
}

QByteArray song(qint64 bytes, int number)
{
    const QByteArray one = frame();
    const int frames = int(std::max<qint64>(1, (bytes - 128) / one.size()));
    QByteArray data;
    data.reserve(frames * one.size() + 128);
    for (int i = 0; i < frames; ++i)
        data += one;
    QByteArray tag(128, '\0');
    tag.replace(0, 3, "TAG");
    const QByteArray title = "Song " + QByteArray::number(number);
    tag.replace(3, title.size(), title);
    tag.replace(33, 6, "Artist");
    tag[127] = char(17);
    return data + tag;
}

} // namespace

bool ColdCorpus::Make(const QString &folder, int count, qint64 bytes, int folders)
{
    for (int i = 0; i < count; ++i) {
        const QString sub = QStringLiteral("%1/F%2").arg(folder).arg(i % folders, 3, 10, QLatin1Char('0'));
        const QString path = QStringLiteral("%1/s%2.mp3").arg(sub).arg(i, 6, 10, QLatin1Char('0'));
        if (QFileInfo(path).size() > 0)
            continue;
        QDir().mkpath(sub);
        QFile file(path);
        const QByteArray data = song(bytes, i);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            QTextStream(stderr) << "cannot write " << path << "\n";
            return false;
        }
    }
    return true;
}

QStringList ColdCorpus::Files(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

bool ColdCorpus::DropPageCache()
{
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool dropped = ::write(fd, "3", 1) == 1;
    ::close(fd);
    return dropped;
}

double ColdCorpus::BareTagRead(const QStringList &files, int threads)
{
    std::vector<QByteArray> paths;
    for (const QString &file : files)
        paths.push_back(QFile::encodeName(file));
    std::atomic<size_t> next{0};
    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            char tag[128];
            for (size_t i = next++; i < paths.size(); i = next++) {
                const int fd = ::open(paths[i].constData(), O_RDONLY | O_CLOEXEC);
                if (fd < 0)
                    continue;
                struct stat st = {};
                if (::fstat(fd, &st) == 0 && st.st_size >= 128) {
                    [[maybe_unused]] const ssize_t n = ::pread(fd, tag, sizeof tag, st.st_size - 128);
                }
                ::close(fd);
            }
        });
    }
    for (std::thread &thread : pool)
        thread.join();
    return double(paths.size()) / (double(timer.nsecsElapsed()) / 1e9);
}

double ColdCorpus::Cat(const QStringList &files, int streams)
{
    qint64 bytes = 0;
    for (const QString &file : files)
        bytes += QFileInfo(file).size();
    std::vector<std::unique_ptr<QProcess>> cats;
    QElapsedTimer timer;
    timer.start();
    const qsizetype per = (files.size() + streams - 1) / streams;
    for (int s = 0; s < streams; ++s) {
        const QStringList part = files.mid(s * per, per);
        if (part.isEmpty())
            continue;
        auto process = std::make_unique<QProcess>();
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(QStringLiteral("cat"), part);
        cats.push_back(std::move(process));
    }
    for (const auto &process : cats) {
        if (!process->waitForFinished(-1) || process->exitCode() != 0)
            return 0;
    }
    return double(bytes) / (double(timer.nsecsElapsed()) / 1e9);
}
